#include "HilfeUnit.h"

THilfeForm* HilfeForm = nullptr;

THilfeForm::THilfeForm(platform::Application& app)
    : Form(app, "HilfeForm"),
      ExitButton(Get<platform::Button>("ExitButton")),
      Label1(Get<platform::Label>("Label1")),
      Image1(Get<platform::Image>("Image1")),
      HilfeRichEdit(Get<platform::RichEdit>("HilfeRichEdit")) {
    ExitButton.OnClick = [this] { ExitButtonClick(); };
    OnResize = [this] { FormResize(); };
}

void THilfeForm::ExitButtonClick() { Hide(); }

void THilfeForm::FormResize() {
    SetWidth(421);
    ExitButton.SetTop(Height() - 71);
    HilfeRichEdit.SetHeight(Height() - 86);
}
