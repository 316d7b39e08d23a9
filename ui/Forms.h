#pragma once

// Creates the program's eight windows, hidden, in their fixed order, each into
// its process-wide reference; the main window first, so its start-up runs before
// any other window exists.
void CreateForms();
// Destroys them in the opposite order and clears the references.
void DestroyForms();
