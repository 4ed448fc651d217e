// A test that runs the real program in this process: its windows, its settings
// file and its journal in a fresh working directory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "Application.h"
#include "GUIUnit.h"
#include "IniDatUnit.h"
#include "Program.h"
#include "TestSupport.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::WriteBytes(dir.File("Sitzblick.ini"), "[Opt]\r\nJnlFileName=" + JournalPath() + "\r\n");
        Start();
    }

    void TearDown() override { Stop(); }

    void Start() {
        app = std::make_unique<platform::Application>();
        CreateProgramForms(*app);
        GUIForm->Show();
        ASSERT_TRUE(testing_support::PumpUntil(*app, [] { return !GUIForm->StartTimer.Enabled(); }));
    }

    void Stop() {
        app.reset();
        GUIForm = nullptr;
        IniData.reset();
    }

    std::string JournalPath() const { return dir.File("spss.jnl"); }
    void WriteJournal(const std::string& bytes) const { testing_support::WriteBytes(JournalPath(), bytes); }
    void Pump(int milliseconds = 50) { testing_support::PumpFor(*app, milliseconds); }

    // The view's selection as (start, length).
    using Sel = std::pair<long, long>;
    Sel Selection() const { return {GUIForm->jnlRichEdit.SelStart(), GUIForm->jnlRichEdit.SelLength()}; }

    // A reload the test expects to succeed (a failing one would wait on its message box).
    void Reload() {
        GUIForm->Journalfileneuladen1Click();
    }
    // Writes the journal and reloads it: the view shows it as written.
    void LoadJournal(const std::string& text) {
        WriteJournal(text);
        Reload();
        ASSERT_EQ(GUIForm->jnlRichEdit.Text(), text);
    }

    testing_support::TempDir dir;
    std::unique_ptr<platform::Application> app;
};
