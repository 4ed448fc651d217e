#include "Program.h"

#include "GUIUnit.h"

void CreateProgramForms(platform::Application& app) {
    // The first window created is the main window.
    app.CreateForm(GUIForm);
}
