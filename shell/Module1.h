// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class frmMain;

// Start-up: takes the user's regional settings for the dates the jobs write, creates the
// one main window and shows it.
namespace Module1 {

// The main window, set once at start-up and kept for the program's lifetime.
extern frmMain* MainForm;

void Main();

} // namespace Module1
