// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QLabel;

// A status bar of text panels laid out from the left in fixed widths (in twips); a
// spring panel takes the width the others leave. A fixed panel is never narrower than
// the widest text it is made for, in the font it is shown in; a longer text takes what
// the spring panel can spare beyond its own width, and is shortened with an ellipsis
// where that is not enough: it never pushes the other panels out. Panels are numbered
// from 1. Narrower than its panels, the bar clips them instead of holding the window
// wide; a panel's tooltip shows its whole text.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int DefaultPanelWidth = 1440;

    StatusBar(const QString& name, int heightTwips, QWidget* parent = nullptr);

    // `widestTexts` are the longest texts the panel will hold, whose room it keeps.
    void addPanel(int widthTwips = DefaultPanelWidth, bool spring = false, const QString& text = {},
                  const QStringList& widestTexts = {});
    int panelCount() const { return panels_.size(); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // Sets the text and paints the panel at once, without waiting for the event loop.
    void showPanelTextNow(int index, const QString& text);
    QRect panelRect(int index) const;
    QLabel* panelLabel(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void PanelClick(int index);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Panel {
        QLabel* label;
        int widthTwips;
        bool spring;
        QStringList widestTexts;
        QString text; // whole, as the label may show it shortened
    };

    void layoutPanels();
    void showText(const Panel& panel) const;
    int widthOf(const Panel& panel) const;
    int textWidth(const QLabel& label, const QString& text) const;
    int panelAt(const QPoint& position) const;

    int heightTwips_;
    QVector<Panel> panels_;
    int pressedPanel_ = 0;
};
