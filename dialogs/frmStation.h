// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keptlist/LineFindings.h"
#include "keptlist/StationFields.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// A station of the list: its call, route, manager or address and remarks. As the user
// types, it shows the line it will write, in the list's columns, and the findings Check
// List would give that line. OK takes the line into the window's list; nothing is
// written to the disk.
class frmStation : public QDialog {
    Q_OBJECT

public:
    // `windows1252`: the line is kept in Windows-1252 rather than UTF-8.
    frmStation(QWidget* owner, const QString& caption, const borvelin::StationFields& fields, bool windows1252);

    // The fields as the user left them, and the line they make, as bytes.
    borvelin::StationFields fields() const;
    std::string line() const;
    // The findings shown, in words.
    QStringList findingsShown() const;

    QLineEdit* txtCall = nullptr;
    QComboBox* cboRoute = nullptr;
    QLineEdit* txtManager = nullptr;
    QLineEdit* txtRemarks = nullptr;
    QLabel* lblLine = nullptr;
    QListWidget* lstFindings = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void createControls();
    void showFields(const borvelin::StationFields& fields);
    void showLine();
    std::string bytesOf(const QLineEdit& field) const;

    bool windows1252_;
    borvelin::LineFindings findings_;
};
