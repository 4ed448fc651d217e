// The options window: shows the journal path and stores a changed one on accept.
#pragma once

#include "Controls.h"
#include "Form.h"

class TOptGUIForm : public platform::Form {
public:
    explicit TOptGUIForm(platform::Application& app);

    platform::Button& EscButton;
    platform::GroupBox& JnlGroupBox;
    platform::Edit& JnlEdit;
    platform::Button& OkButton;

    void FormShow();
    void FormResize();
    void JnlEditChange();
    void JnlEditKeyPress(char& Key);
    void OkButtonClick();
    void EscButtonClick();
};

extern TOptGUIForm* OptGUIForm;
