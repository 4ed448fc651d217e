#include "GUIUnit.h"

#include <windows.h>

#include "Application.h"
#include "FileIO.h"
#include "HilfeUnit.h"
#include "IniDatUnit.h"
#include "OptUnit.h"
#include "VersionUnit.h"
#include "VersionString.h"

TGUIForm* GUIForm = nullptr;

std::string JournalMissingMessage(const std::string& path) {
    return std::string("Das SPSS Journalfile \r") + path + "\r" + "ist (noch) nicht vorhanden. " +
           "Arbeiten Sie mit Ihrer SPSS-Installation weiter oder" + "\r" +
           "vergleichen Sie bitte die Angaben in diesem Programm in " + "\r" +
           "\"Bearbeiten\" > \"Optionen\" mit" + "\r" +
           "\"Bearbeiten\" > \"Optionen\" > \"Allgemein\" > \"Sitzungs-Journal\"" + "\r" +
           "in Ihrer SPSS-Oberfläche";
}

std::string JournalNotDeletedMessage(const std::string& path) {
    return std::string("Das SPSS Journalfile \r") + path + "\r" +
           "konnte nicht gelöscht werden. Vielleicht ist es gerade geöffnet" + "\r" +
           "oder Sie haben nicht das Recht, es zu löschen.";
}

TGUIForm::TGUIForm(platform::Application& app)
    : Form(app, "GUIForm"),
      jnlRichEdit(Get<platform::TextView>("jnlRichEdit")),
      aktButton(Get<platform::Button>("aktButton")),
      MainMenu1(Get<platform::MainMenu>("MainMenu1")),
      Aktionen1(Get<platform::MenuItem>("Aktionen1")),
      Bearbeiten1(Get<platform::MenuItem>("Bearbeiten1")),
      allesmarkieren1(Get<platform::MenuItem>("allesmarkieren1")),
      Journalfileneuladen1(Get<platform::MenuItem>("Journalfileneuladen1")),
      Beenden1(Get<platform::MenuItem>("Beenden1")),
      kopieren1(Get<platform::MenuItem>("kopieren1")),
      killButton(Get<platform::Button>("killButton")),
      Journalfilelschen1(Get<platform::MenuItem>("Journalfilelschen1")),
      Info1(Get<platform::MenuItem>("Info1")),
      Version1(Get<platform::MenuItem>("Version1")),
      Optionen1(Get<platform::MenuItem>("Optionen1")),
      Hilfe1(Get<platform::MenuItem>("Hilfe1")),
      Programmimmersichtbar1(Get<platform::MenuItem>("Programmimmersichtbar1")),
      jnlPopupMenu(Get<platform::PopupMenu>("jnlPopupMenu")),
      kopieren2(Get<platform::MenuItem>("kopieren2")),
      jnlFindDialog(Get<platform::FindDialog>("jnlFindDialog")),
      Suchen1(Get<platform::MenuItem>("Suchen1")),
      StartTimer(Get<platform::Timer>("StartTimer")) {
    OnCreate = [this] { FormCreate(); };
    OnResize = [this] { FormResize(); };
    StartTimer.OnTimer = [this] { StartTimerTimer(); };
    aktButton.OnClick = [this] { aktButtonClick(); };
    killButton.OnClick = [this] { killButtonClick(); };
    Journalfileneuladen1.OnClick = [this] { Journalfileneuladen1Click(); };
    Journalfilelschen1.OnClick = [this] { Journalfilelschen1Click(); };
    Programmimmersichtbar1.OnClick = [this] { Programmimmersichtbar1Click(); };
    Beenden1.OnClick = [this] { Beenden1Click(); };
    allesmarkieren1.OnClick = [this] { allesmarkieren1Click(); };
    kopieren1.OnClick = [this] { kopieren1Click(); };
    kopieren2.OnClick = [this] { kopieren2Click(); };
    Suchen1.OnClick = [this] { Suchen1Click(); };
    jnlFindDialog.OnFind = [this] { jnlFindDialogFind(); };
    Optionen1.OnClick = [this] { Optionen1Click(); };
    Hilfe1.OnClick = [this] { Hilfe1Click(); };
    Version1.OnClick = [this] { Version1Click(); };
}

// ---- start-up ---------------------------------------------------------------

void TGUIForm::FormCreate() {
    char directory[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, directory);
    WorkDir.assign(directory, length <= MAX_PATH ? length : 0);
    // Joined as it is: in a drive's root this gives two backslashes, which the system accepts.
    IniData = std::make_unique<TIniData>(WorkDir + "\\" + "Sitzblick" + ".ini");
    SetCaption(std::string(VersionString) + " (Arbeitsverzeichnis: " + WorkDir + ")");
    StartTimer.SetEnabled(true);
}

void TGUIForm::StartTimerTimer() {
    StartTimer.SetEnabled(false);
    aktButton.SetFocus();
}

void TGUIForm::FormResize() {
    jnlRichEdit.SetWidth(Width() - 27);
    jnlRichEdit.SetHeight(Height() - 100);
    jnlRichEdit.Repaint();
}

// ---- reload and delete ------------------------------------------------------------

void TGUIForm::Journalfileneuladen1Click() {
    const std::string path = IniData->JnlFileName();
    try {
        jnlRichEdit.LoadFromFile(path);
        // The newest syntax is at the end: that is where the user looks after a reload.
        jnlRichEdit.MoveCaretToEnd();
        jnlRichEdit.ScrollCaretIntoView();
        EnterLoadedState();
    } catch (const std::exception&) {
        App().ShowMessage(JournalMissingMessage(path));
    }
}

void TGUIForm::aktButtonClick() { Journalfileneuladen1Click(); }

void TGUIForm::Journalfilelschen1Click() {
    if (App().MessageBox("Journalfile wirklich löschen?", VersionString, MB_YESNO) != IDYES) return;
    const std::string path = IniData->JnlFileName();
    // A journal that is still there after a failed delete stays in view, and the
    // user learns why; one that is gone already just leaves the view empty.
    if (!platform::DeleteFileAt(path) && platform::PathExists(path)) {
        App().ShowMessage(JournalNotDeletedMessage(path));
        return;
    }
    jnlRichEdit.Clear();
}

void TGUIForm::killButtonClick() { Journalfilelschen1Click(); }

void TGUIForm::EnterLoadedState() {
    killButton.SetVisible(true);
    Journalfilelschen1.SetEnabled(true);
    allesmarkieren1.SetEnabled(true);
    kopieren1.SetEnabled(true);
}

// ---- window commands -----------------------------------------------------------

void TGUIForm::allesmarkieren1Click() {
    jnlRichEdit.SelectAll();
    jnlRichEdit.SetFocus();
}

void TGUIForm::kopieren1Click() { jnlRichEdit.CopyToClipboard(); }

void TGUIForm::kopieren2Click() { kopieren1Click(); }

void TGUIForm::Programmimmersichtbar1Click() {
    Programmimmersichtbar1.SetChecked(!Programmimmersichtbar1.Checked());
    SetStayOnTop(Programmimmersichtbar1.Checked());
}

void TGUIForm::DropStayOnTop() {
    Programmimmersichtbar1.SetChecked(false);
    SetStayOnTop(false);
}

void TGUIForm::Beenden1Click() { Close(); }

// ---- search ----------------------------------------------------------------

void TGUIForm::Suchen1Click() { jnlFindDialog.Execute(); }

void TGUIForm::jnlFindDialogFind() {
    const long selLength = jnlRichEdit.SelLength();
    const long start = selLength != 0 ? jnlRichEdit.SelStart() + selLength : 0;
    const long count = jnlRichEdit.TextLength() - start;
    platform::TextView::SearchOptions options;
    options.wholeWord = jnlFindDialog.WholeWord();
    options.matchCase = jnlFindDialog.MatchCase();
    const long found = jnlRichEdit.FindText(jnlFindDialog.FindText(), start, start + count, options);
    jnlRichEdit.SetFocus();
    if (found != -1) {
        jnlRichEdit.SetSelection(found, static_cast<long>(jnlFindDialog.FindText().size()));
        jnlRichEdit.ScrollCaretIntoView();
    }
}

// ---- auxiliary windows ---------------------------------------------------------

void TGUIForm::Optionen1Click() {
    DropStayOnTop();
    OptGUIForm->SetVisible(true);
}

void TGUIForm::Hilfe1Click() {
    DropStayOnTop();
    HilfeForm->SetVisible(true);
}

void TGUIForm::Version1Click() {
    DropStayOnTop();
    VersionForm->VSTRLabel.SetCaption(VersionString);
    VersionForm->SetVisible(true);
}
