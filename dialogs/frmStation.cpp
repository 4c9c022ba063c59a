// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmStation.h"

#include "forms/AppIcon.h"
#include "forms/Forms.h"
#include "forms/ListText.h"
#include "keptlist/FindingRow.h"
#include "listline/LineLayout.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLineEdit* addField(QWidget* owner, const char* name)
{
    auto* field = new QLineEdit(owner);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

frmStation::frmStation(QWidget* owner, const QString& caption, const borvelin::StationFields& fields, bool windows1252)
    : QDialog(owner), windows1252_(windows1252)
{
    setObjectName(QStringLiteral("frmStation"));
    setWindowTitle(caption);
    setWindowIcon(AppIcon());
    Forms::track(this);
    createControls();
    showFields(fields);
    showLine();
}

void frmStation::createControls()
{
    txtCall = addField(this, "txtCall");
    cboRoute = new QComboBox(this);
    cboRoute->setObjectName(QStringLiteral("cboRoute"));
    for (const borvelin::RouteChoice route : borvelin::RouteChoices)
        cboRoute->addItem(ListText::toText(borvelin::routeChoiceText(route)), static_cast<int>(route));
    txtManager = addField(this, "txtManager");
    txtRemarks = addField(this, "txtRemarks");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Call"), txtCall);
    form->addRow(QStringLiteral("&Route"), cboRoute);
    form->addRow(QStringLiteral("&Manager or address"), txtManager);
    form->addRow(QStringLiteral("R&emarks"), txtRemarks);

    // The line as it will stand in the list: its columns line up in a fixed font.
    lblLine = new QLabel(this);
    lblLine->setObjectName(QStringLiteral("lblLine"));
    lblLine->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblLine->setTextFormat(Qt::PlainText);
    lblLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblLine->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lblLine->setMinimumWidth(lblLine->fontMetrics().horizontalAdvance(QString(60, QLatin1Char('M'))));

    lstFindings = new QListWidget(this);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setWordWrap(true);
    lstFindings->setFocusPolicy(Qt::NoFocus);
    lstFindings->setIconSize(QSize(fontMetrics().height(), fontMetrics().height()));
    lstFindings->setMinimumHeight(4 * fontMetrics().height());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = buttons->button(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("The line in the list:"), this));
    layout->addWidget(lblLine);
    layout->addWidget(new QLabel(QStringLiteral("What Check List finds in it:"), this));
    layout->addWidget(lstFindings, 1);
    layout->addWidget(buttons);

    for (QLineEdit* field : {txtCall, txtManager, txtRemarks})
        connect(field, &QLineEdit::textChanged, this, &frmStation::showLine);
    connect(cboRoute, &QComboBox::currentIndexChanged, this, &frmStation::showLine);
}

void frmStation::showFields(const borvelin::StationFields& fields)
{
    txtCall->setText(ListText::toText(fields.call));
    cboRoute->setCurrentIndex(cboRoute->findData(static_cast<int>(fields.route)));
    txtManager->setText(ListText::toText(fields.managerOrAddress));
    txtRemarks->setText(ListText::toText(fields.remarks));
}

// A row holds no line break: one pasted into a field becomes a blank.
std::string frmStation::bytesOf(const QLineEdit& field) const
{
    QString text = field.text();
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return ListText::toBytes(text, windows1252_);
}

borvelin::StationFields frmStation::fields() const
{
    borvelin::StationFields fields;
    fields.call = bytesOf(*txtCall);
    fields.route = static_cast<borvelin::RouteChoice>(cboRoute->currentData().toInt());
    fields.managerOrAddress = bytesOf(*txtManager);
    fields.remarks = bytesOf(*txtRemarks);
    return fields;
}

std::string frmStation::line() const
{
    return borvelin::composeLine(fields());
}

// The route without a call or an address has no use for the field.
void frmStation::showLine()
{
    txtManager->setEnabled(borvelin::routeTakesManagerOrAddress(fields().route));
    const std::string bytes = line();
    lblLine->setText(ListText::toText(bytes));
    lstFindings->clear();
    const std::string call(borvelin::firstWord(bytes));
    for (const std::string& row : findings_.rowsOf(bytes)) {
        const auto finding = borvelin::parseFindingRow(row, call);
        if (!finding)
            continue;
        auto* item = new QListWidgetItem(ListText::toText(borvelin::findingInWords(*finding)), lstFindings);
        item->setIcon(style()->standardIcon(finding->severity == "error"     ? QStyle::SP_MessageBoxCritical
                                            : finding->severity == "warning" ? QStyle::SP_MessageBoxWarning
                                                                             : QStyle::SP_MessageBoxInformation));
    }
    if (lstFindings->count() == 0)
        new QListWidgetItem(QStringLiteral("Nothing: Check List finds no fault in this line by itself."), lstFindings);
    cmdOK->setEnabled(!txtCall->text().trimmed().isEmpty());
}

QStringList frmStation::findingsShown() const
{
    QStringList shown;
    for (int index = 0; index < lstFindings->count(); ++index)
        shown << lstFindings->item(index)->text();
    return shown;
}
