#include "OptUnit.h"

#include "IniDatUnit.h"

TOptGUIForm* OptGUIForm = nullptr;

TOptGUIForm::TOptGUIForm(platform::Application& app)
    : Form(app, "OptGUIForm"),
      EscButton(Get<platform::Button>("EscButton")),
      JnlGroupBox(Get<platform::GroupBox>("JnlGroupBox")),
      JnlEdit(Get<platform::Edit>("JnlEdit")),
      OkButton(Get<platform::Button>("OkButton")) {
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    JnlEdit.OnChange = [this] { JnlEditChange(); };
    JnlEdit.OnKeyPress = [this](char& key) { JnlEditKeyPress(key); };
    OkButton.OnClick = [this] { OkButtonClick(); };
    EscButton.OnClick = [this] { EscButtonClick(); };
}

void TOptGUIForm::FormShow() {
    JnlEdit.SetText(IniData->JnlFileName());  // raises JnlEditChange: undone below
    OkButton.SetEnabled(false);
    EscButton.SetCaption("schließen");
}

void TOptGUIForm::JnlEditChange() {
    OkButton.SetEnabled(true);
    EscButton.SetCaption("verwerfen");
}

void TOptGUIForm::JnlEditKeyPress(char& Key) {
    if (Key == '\r' && OkButton.Enabled()) OkButton.SetFocus();
}

void TOptGUIForm::OkButtonClick() {
    // A settings file that cannot be written raises here: the error is shown and
    // the window stays open.
    IniData->SetJnlFileName(JnlEdit.Text());
    Close();
}

void TOptGUIForm::EscButtonClick() { Close(); }

void TOptGUIForm::FormResize() {
    SetHeight(133);
    JnlGroupBox.SetWidth(Width() - 25);
    JnlEdit.SetWidth(JnlGroupBox.Width() - 16);
    EscButton.SetLeft(Width() - 90);
}
