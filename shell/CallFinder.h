// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;

// The find field: "how do I get a card to this station?" Looks up the calls typed in the
// working folder's QSL.TXT, as borvelin-cli lookup does, and shows each call's lines
// with their routes in words. The list is read beside the window, so it stays live.
class CallFinder : public QWidget {
    Q_OBJECT

public:
    explicit CallFinder(QWidget* parent = nullptr);
    ~CallFinder() override;

    // Looks up the calls of the find field, separated by blanks or commas.
    void find();
    QString answerShown() const;

    QLineEdit* txtFind = nullptr;
    QPushButton* cmdFind = nullptr;
    QPlainTextEdit* txtFound = nullptr;

signals:
    void answered();

private:
    void show(int run, const QString& answer);
    void stop();

    std::unique_ptr<QThread> worker_;
    int run_ = 0; // the answer of an earlier find is not shown
};
