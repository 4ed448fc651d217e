// The help window: the user guide beside the logo.
#pragma once

#include "Controls.h"
#include "Form.h"
#include "RichEdit.h"

class THilfeForm : public platform::Form {
public:
    explicit THilfeForm(platform::Application& app);

    platform::Button& ExitButton;
    platform::Label& Label1;
    platform::Image& Image1;
    platform::RichEdit& HilfeRichEdit;

    void ExitButtonClick();
    void FormResize();
};

extern THilfeForm* HilfeForm;
