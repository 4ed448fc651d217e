#include "Program.h"

#include "GUIUnit.h"
#include "HilfeUnit.h"
#include "OptUnit.h"
#include "VersionUnit.h"

void CreateProgramForms(platform::Application& app) {
    // The first window created is the main window.
    app.CreateForm(GUIForm);
    // The others start hidden and live, shown or hidden, until the program ends.
    app.CreateForm(HilfeForm);
    app.CreateForm(OptGUIForm);
    app.CreateForm(VersionForm);
}
