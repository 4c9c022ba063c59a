// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StatusBar.h"

#include "forms/Twips.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>

StatusBar::StatusBar(const QString& name, int heightTwips, QWidget* parent) : QWidget(parent), heightTwips_(heightTwips)
{
    setObjectName(name);
    setFixedHeight(Twips::toPixelsY(*this, heightTwips_));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusBar::addPanel(int widthTwips, bool spring, const QString& text, const QStringList& widestTexts)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("%1Panel%2").arg(objectName()).arg(panels_.size() + 1));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(2);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    panels_.push_back({label, widthTwips, spring, widestTexts, text});
    layoutPanels();
}

QString StatusBar::panelText(int index) const
{
    Q_ASSERT(index >= 1 && index <= panels_.size());
    return panels_.at(index - 1).text;
}

void StatusBar::setPanelText(int index, const QString& text)
{
    Q_ASSERT(index >= 1 && index <= panels_.size());
    Panel& panel = panels_[index - 1];
    const bool longer = textWidth(*panel.label, text) > textWidth(*panel.label, panel.text);
    panel.text = text;
    if (longer || panel.label->width() > widthOf(panel))
        layoutPanels(); // room for it, or room given back
    else
        showText(panel);
}

// The whole text where it fits, else as much of it as fits and an ellipsis.
void StatusBar::showText(const Panel& panel) const
{
    const QLabel& label = *panel.label;
    const int room = label.width() - (textWidth(label, QString()));
    const QString shown = textWidth(label, panel.text) <= label.width()
                              ? panel.text
                              : label.fontMetrics().elidedText(panel.text, Qt::ElideRight, std::max(0, room));
    if (label.text() != shown)
        panel.label->setText(shown);
}

void StatusBar::showPanelTextNow(int index, const QString& text)
{
    setPanelText(index, text);
    QLabel* label = panelLabel(index);
    if (label->isVisible())
        label->repaint();
}

QLabel* StatusBar::panelLabel(int index) const
{
    Q_ASSERT(index >= 1 && index <= panels_.size());
    return panels_.at(index - 1).label;
}

QRect StatusBar::panelRect(int index) const
{
    return panelLabel(index)->geometry();
}

QSize StatusBar::sizeHint() const
{
    int width = 0;
    for (const Panel& panel : panels_)
        width += widthOf(panel);
    return {width, height()};
}

QSize StatusBar::minimumSizeHint() const
{
    return {0, height()};
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPanels();
}

// The room a text needs in a label: the text, the label's frame on both sides and its
// indent on the left.
int StatusBar::textWidth(const QLabel& label, const QString& text) const
{
    return label.fontMetrics().horizontalAdvance(text) + 2 * label.frameWidth() + label.indent() + 2;
}

int StatusBar::widthOf(const Panel& panel) const
{
    int width = Twips::toPixelsX(*this, panel.widthTwips);
    if (panel.spring)
        return width;
    for (const QString& text : panel.widestTexts)
        width = std::max(width, textWidth(*panel.label, text));
    return width;
}

// A fixed panel whose text is longer than its room grows into the room the spring panel
// has beyond its own width, the first panel first; the spring panel takes what is left.
void StatusBar::layoutPanels()
{
    int fixedWidth = 0;
    int springWidth = 0;
    for (const Panel& panel : panels_)
        (panel.spring ? springWidth : fixedWidth) += widthOf(panel);
    int spare = std::max(0, width() - fixedWidth - springWidth);
    QVector<int> widths;
    for (const Panel& panel : panels_) {
        int panelWidth = widthOf(panel);
        if (!panel.spring) {
            const int grown = std::clamp(textWidth(*panel.label, panel.text) - panelWidth, 0, spare);
            panelWidth += grown;
            spare -= grown;
            fixedWidth += grown;
        }
        widths << panelWidth;
    }
    int left = 0;
    for (qsizetype index = 0; index < panels_.size(); ++index) {
        const Panel& panel = panels_[index];
        const int panelWidth = panel.spring ? std::max(0, width() - fixedWidth) : widths[index];
        panel.label->setGeometry(left, 0, panelWidth, height());
        showText(panel);
        left += panelWidth;
    }
}

int StatusBar::panelAt(const QPoint& position) const
{
    for (int index = 1; index <= panels_.size(); ++index)
        if (panelRect(index).contains(position))
            return index;
    return 0;
}

bool StatusBar::event(QEvent* event)
{
    // A panel clips a long text; hovering shows it whole.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = panelAt(help->pos());
        if (index != 0 && !panelText(index).isEmpty())
            QToolTip::showText(help->globalPos(), panelText(index), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// A new font or a new screen's scale changes the room the texts need.
void StatusBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layoutPanels();
}

void StatusBar::mousePressEvent(QMouseEvent* event)
{
    pressedPanel_ = event->button() == Qt::LeftButton ? panelAt(event->position().toPoint()) : 0;
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    const int releasedPanel = event->button() == Qt::LeftButton ? panelAt(event->position().toPoint()) : 0;
    if (releasedPanel != 0 && releasedPanel == pressedPanel_)
        emit PanelClick(releasedPanel);
    pressedPanel_ = 0;
}
