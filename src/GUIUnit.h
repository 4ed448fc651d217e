// The main window: the read-only journal view, reload and delete, the menus,
// always-on-top and the text search.
#pragma once

#include <string>

#include "Controls.h"
#include "FindDialog.h"
#include "Form.h"
#include "Menu.h"
#include "TextView.h"
#include "Timer.h"

// The message shown when the journal cannot be read, naming the path on its own line.
std::string JournalMissingMessage(const std::string& path);
// The message shown when the journal is there but could not be deleted.
std::string JournalNotDeletedMessage(const std::string& path);

class TGUIForm : public platform::Form {
public:
    explicit TGUIForm(platform::Application& app);

    platform::TextView& jnlRichEdit;
    platform::Button& aktButton;
    platform::MainMenu& MainMenu1;
    platform::MenuItem& Aktionen1;
    platform::MenuItem& Bearbeiten1;
    platform::MenuItem& allesmarkieren1;
    platform::MenuItem& Journalfileneuladen1;
    platform::MenuItem& Beenden1;
    platform::MenuItem& kopieren1;
    platform::Button& killButton;
    platform::MenuItem& Journalfilelschen1;
    platform::MenuItem& Info1;
    platform::MenuItem& Version1;
    platform::MenuItem& Optionen1;
    platform::MenuItem& Hilfe1;
    platform::MenuItem& Programmimmersichtbar1;
    platform::PopupMenu& jnlPopupMenu;
    platform::MenuItem& kopieren2;
    platform::FindDialog& jnlFindDialog;
    platform::MenuItem& Suchen1;
    platform::Timer& StartTimer;

    void FormCreate();
    void FormResize();
    void StartTimerTimer();

    void Journalfileneuladen1Click();
    void aktButtonClick();
    void Journalfilelschen1Click();
    void killButtonClick();

    void allesmarkieren1Click();
    void kopieren1Click();
    void kopieren2Click();
    void Programmimmersichtbar1Click();
    void Beenden1Click();
    // Switches always-on-top off; done before an auxiliary window is shown.
    void DropStayOnTop();

    void Suchen1Click();
    void jnlFindDialogFind();

    void Optionen1Click();
    void Hilfe1Click();
    void Version1Click();

    const std::string& WorkDirectory() const { return WorkDir; }

private:
    void EnterLoadedState();

    std::string WorkDir;
};

extern TGUIForm* GUIForm;
