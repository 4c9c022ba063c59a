// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QTextBrowser;

// The user guide in a window of its own, beside the main window: the guide's Markdown,
// which the program carries as a resource, with a search field above it.
class frmGuide : public QDialog {
    Q_OBJECT

public:
    static inline const QString GuideResource = QStringLiteral(":/guide/guide.md");

    explicit frmGuide(QWidget* owner);
    // Opens the guide, or brings the open one to the front.
    static frmGuide* showGuide(QWidget* owner);
    // Puts the cursor in the search field.
    void startSearch();
    // Finds the search field's text after the last place found, from the top again at the
    // end; false when the guide does not hold it.
    bool findNext();

    QLineEdit* txtSearch = nullptr;
    QTextBrowser* txtGuide = nullptr;

private:
    void placeBeside(const QWidget* owner);
};
