#include "VersionUnit.h"

TVersionForm* VersionForm = nullptr;

TVersionForm::TVersionForm(platform::Application& app)
    : Form(app, "VersionForm"),
      VersionExitButton(Get<platform::Button>("VersionExitButton")),
      Label1(Get<platform::Label>("Label1")),
      VSTRLabel(Get<platform::Label>("VSTRLabel")),
      Label2(Get<platform::Label>("Label2")),
      Label3(Get<platform::Label>("Label3")),
      Label4(Get<platform::Label>("Label4")),
      Image1(Get<platform::Image>("Image1")) {
    VersionExitButton.OnClick = [this] { VersionExitButtonClick(); };
}

void TVersionForm::VersionExitButtonClick() { Hide(); }
