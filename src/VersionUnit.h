// The version window: the program's identity and its terms of use.
#pragma once

#include "Controls.h"
#include "Form.h"

class TVersionForm : public platform::Form {
public:
    explicit TVersionForm(platform::Application& app);

    platform::Button& VersionExitButton;
    platform::Label& Label1;
    platform::Label& VSTRLabel;
    platform::Label& Label2;
    platform::Label& Label3;
    platform::Label& Label4;
    platform::Image& Image1;

    void VersionExitButtonClick();
};

extern TVersionForm* VersionForm;
