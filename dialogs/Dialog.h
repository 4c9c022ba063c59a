// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

// An OK/Cancel dialog the program carries without using it: nothing opens it, and its
// buttons do nothing.
class Dialog : public QDialog {
    Q_OBJECT

public:
    explicit Dialog(QWidget* owner = nullptr);

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
