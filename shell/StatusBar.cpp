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

void StatusBar::addPanel(int widthTwips, bool spring, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("%1Panel%2").arg(objectName()).arg(panels_.size() + 1));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(2);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    panels_.push_back({label, widthTwips, spring});
    layoutPanels();
}

QString StatusBar::panelText(int index) const
{
    return panelLabel(index)->text();
}

void StatusBar::setPanelText(int index, const QString& text)
{
    QLabel* label = panelLabel(index);
    label->setText(text);
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
        width += Twips::toPixelsX(*this, panel.widthTwips);
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

void StatusBar::layoutPanels()
{
    int fixedWidth = 0;
    for (const Panel& panel : panels_)
        if (!panel.spring)
            fixedWidth += Twips::toPixelsX(*this, panel.widthTwips);
    int left = 0;
    for (const Panel& panel : panels_) {
        int width = Twips::toPixelsX(*this, panel.widthTwips);
        if (panel.spring)
            width = std::max(width, this->width() - fixedWidth);
        panel.label->setGeometry(left, 0, width, height());
        left += width;
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
