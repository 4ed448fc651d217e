// The rich edit control of RICHED32.DLL (window class "RICHEDIT"), used for a
// short word-wrapped text: text goes in as characters, never as markup.
#pragma once

#include <string>

#include "Controls.h"

namespace platform {

class RichEdit : public Control {
public:
    RichEdit(Form& owner, const LayoutEntry& entry);

    // Replaces the whole content with text, lifting the length limit so all of it fits.
    void SetPlainText(const std::string& text);
    std::string Text() const;
    void SetSelection(long start, long length);
    std::string SelectedText() const;

    bool PreTranslateKey(MSG& msg) override;

private:
    bool readOnly_;
};

}  // namespace platform
