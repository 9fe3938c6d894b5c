// Drives a modal Qt dialog from a test: the test body runs on the dialog once it is open, and
// the dialog never outlives the body, so a failed ASSERT inside it fails the test instead of
// leaving the modal loop waiting for a user who never comes.
#pragma once

#include <functional>

class CQtDialog;

/// Runs `body` on the modal CQtDialog once it is open (call it just before the dialog runs).
/// Should the body return, or give up on a failed ASSERT, with the dialog still open, the dialog
/// is cancelled through its model, and closed outright when the model refuses; it then returns
/// IDCANCEL. With no dialog open the test fails and whatever modal window there is is rejected.
void WhenDialogOpens(std::function<void(CQtDialog&)> body);
