// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ListModel.h"

#include "forms/CorePath.h"
#include "forms/ListText.h"
#include "jobs/JobError.h"
#include "keptlist/CheckFindings.h"
#include "keptlist/KeptList.h"
#include "keptlist/LineFindings.h"
#include "keptlist/StationRow.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QStyle>

#include <algorithm>

namespace {

int severityOf(const std::string& severity)
{
    if (severity == "error")
        return 3;
    if (severity == "warning")
        return 2;
    return 1;
}

QString text(std::string_view bytes)
{
    return ListText::toText(bytes);
}

} // namespace

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

ListModel::~ListModel() = default;

void ListModel::setList(std::unique_ptr<borvelin::KeptList> list, std::unique_ptr<borvelin::CheckFindings> findings)
{
    beginResetModel();
    list_ = std::move(list);
    findings_ = std::move(findings);
    findingsOnly_ = findingsOnly_ && findings_;
    forget();
    arrange();
    endResetModel();
    emit listChanged();
}

void ListModel::setFindings(std::unique_ptr<borvelin::CheckFindings> findings)
{
    beginResetModel();
    findings_ = std::move(findings);
    forget();
    arrange();
    endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !list_ ? 0 : static_cast<int>(order_.size(*list_));
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return QStringLiteral("Line");
    case CallColumn: return QStringLiteral("Call");
    case RouteColumn: return QStringLiteral("Route");
    case ManagerColumn: return QStringLiteral("Manager or address");
    case RemarksColumn: return QStringLiteral("Remarks");
    case FindingsColumn: return QStringLiteral("Findings");
    default: return {};
    }
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !list_)
        return {};
    const Shown& row = shown(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case LineColumn: return QString::number(rowAt(index.row()) + 1);
        case CallColumn: return row.call;
        case RouteColumn: return row.route;
        case ManagerColumn: return row.managerOrAddress;
        case RemarksColumn: return row.remarks;
        case FindingsColumn: return row.findings;
        default: return {};
        }
    case Qt::ToolTipRole:
        if (index.column() == FindingsColumn && !row.findingsTip.isEmpty())
            return row.findingsTip;
        if (index.column() == LineColumn && row.written)
            return QStringLiteral("Changed; not yet saved");
        return {};
    case Qt::DecorationRole:
        if (index.column() != FindingsColumn || row.severity == 0)
            return {};
        return QApplication::style()->standardIcon(row.severity == 3   ? QStyle::SP_MessageBoxCritical
                                                   : row.severity == 2 ? QStyle::SP_MessageBoxWarning
                                                                       : QStyle::SP_MessageBoxInformation);
    case Qt::FontRole:
        if (row.written) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == LineColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case SeverityRole: return row.severity;
    default: return {};
    }
}

std::uint64_t ListModel::rowAt(int position) const
{
    return order_.rowAt(static_cast<std::uint64_t>(position));
}

std::optional<int> ListModel::positionOf(std::uint64_t row) const
{
    if (const auto position = order_.positionOf(row))
        return static_cast<int>(*position);
    return std::nullopt;
}

// The blocks near the view are kept; the oldest goes when a new one comes.
const ListModel::Shown& ListModel::shown(int position) const
{
    const int block = position / BlockRows;
    auto found = blocks_.find(block);
    if (found == blocks_.end()) {
        if (blockAge_.size() == BlocksKept) {
            blocks_.erase(blockAge_.front());
            blockAge_.pop_front();
        }
        found = blocks_.emplace(block, readBlock(block)).first;
        blockAge_.push_back(block);
    }
    return found->second[static_cast<std::size_t>(position % BlockRows)];
}

std::vector<ListModel::Shown> ListModel::readBlock(int block) const
{
    const int first = block * BlockRows;
    const int count = std::min(BlockRows, rowCount() - first);
    std::vector<std::uint64_t> rows;
    for (int position = first; position < first + count; ++position)
        rows.push_back(rowAt(position));
    std::vector<std::string> lines;
    std::vector<Shown> shownRows;
    try {
        if (order_.showsEveryRowInOrder())
            list_->readRows(rows.front(), rows.size(), lines);
        else
            list_->readRowsAt(rows, lines);
        for (std::size_t index = 0; index < rows.size(); ++index)
            shownRows.push_back(describe(rows[index], lines[index]));
    } catch (const borvelin::JobError& error) {
        const QString message = QStringLiteral("Error %1: %2: %3")
                                    .arg(error.number())
                                    .arg(fromCore(error.text()), QDir::toNativeSeparators(fromCore(error.fileName())));
        shownRows.assign(static_cast<std::size_t>(count), Shown{});
        for (Shown& row : shownRows)
            row.findings = message;
        emit unreadable(message);
    }
    return shownRows;
}

ListModel::Shown ListModel::describe(std::uint64_t row, const std::string& line) const
{
    const borvelin::StationRow station = borvelin::readStationRow(line);
    Shown shownRow;
    shownRow.call = text(station.call);
    shownRow.route = text(borvelin::routeText(station.route));
    shownRow.managerOrAddress = text(station.managerOrAddress);
    shownRow.remarks = text(station.remarks);
    const borvelin::RowSource source = list_->sourceOf(row);
    shownRow.written = source.kind == borvelin::RowSource::Kind::Written;
    std::vector<borvelin::FindingRow> found;
    if (shownRow.written) {
        borvelin::LineFindings lineFindings;
        for (const std::string& findingRow : lineFindings.rowsOf(line))
            if (auto finding = borvelin::parseFindingRow(findingRow, station.call))
                found.push_back(std::move(*finding));
    } else if (findings_) {
        found = findings_->of(source.index + 1, station.call);
    }
    QStringList words;
    for (const borvelin::FindingRow& finding : found) {
        words << text(borvelin::findingInWords(finding));
        shownRow.severity = std::max(shownRow.severity, severityOf(finding.severity));
    }
    shownRow.findings = words.join(QStringLiteral("; "));
    shownRow.findingsTip = words.join(QLatin1Char('\n'));
    return shownRow;
}

void ListModel::forget()
{
    blocks_.clear();
    blockAge_.clear();
}

void ListModel::arrange()
{
    if (!list_) {
        order_.showAll();
        return;
    }
    std::vector<std::uint32_t> only;
    if (findingsOnly_)
        only = borvelin::rowsWithFindings(*list_, findings_.get());
    order_.arrange(*list_, sortKey_, descending_, findingsOnly_ ? &only : nullptr);
}

void ListModel::sort(int column, Qt::SortOrder order)
{
    sortKey_ = column == CallColumn      ? borvelin::SortKey::Call
               : column == ManagerColumn ? borvelin::SortKey::Manager
                                         : borvelin::SortKey::ListOrder;
    descending_ = order == Qt::DescendingOrder;
    QApplication::setOverrideCursor(Qt::BusyCursor); // a second or two for ten million lines
    emit layoutAboutToBeChanged();
    forget();
    arrange();
    emit layoutChanged();
    QApplication::restoreOverrideCursor();
}

void ListModel::setFindingsOnly(bool only)
{
    if (only == findingsOnly_)
        return;
    beginResetModel();
    findingsOnly_ = only;
    forget();
    arrange();
    endResetModel();
}

int ListModel::replaceRow(std::uint64_t row, std::string text)
{
    list_->replaceRow(row, std::move(text));
    forget();
    const int position = positionOf(row).value_or(0);
    emit dataChanged(index(position, 0), index(position, ColumnCount - 1));
    emit listChanged();
    return position;
}

int ListModel::insertRow(std::uint64_t row, std::string text, int position)
{
    if (order_.showsEveryRowInOrder())
        position = static_cast<int>(row);
    beginInsertRows({}, position, position);
    list_->insertRow(row, std::move(text));
    order_.rowInserted(row, static_cast<std::uint64_t>(position));
    forget();
    endInsertRows();
    emit listChanged();
    return position;
}

void ListModel::eraseRow(std::uint64_t row)
{
    const int position = positionOf(row).value_or(-1);
    if (position >= 0)
        beginRemoveRows({}, position, position);
    else
        beginResetModel();
    list_->eraseRow(row);
    order_.rowErased(row);
    forget();
    if (position >= 0)
        endRemoveRows();
    else
        endResetModel();
    emit listChanged();
}

// The rows shown keep their order; a row that comes back stands after the row before it.
std::optional<int> ListModel::afterUndoOrRedo(std::uint64_t row, bool inserted, bool erased)
{
    if (inserted) {
        std::uint64_t position = 0;
        if (row > 0)
            if (const auto before = order_.positionOf(row - 1))
                position = *before + 1;
        order_.rowInserted(row, position);
    } else if (erased) {
        order_.rowErased(row);
    }
    forget();
    endResetModel();
    emit listChanged();
    if (erased)
        return std::nullopt;
    return positionOf(row);
}

std::optional<int> ListModel::undo()
{
    if (!list_ || !list_->canUndo())
        return std::nullopt;
    beginResetModel();
    const auto change = list_->undo();
    using Kind = borvelin::KeptList::Change::Kind;
    return afterUndoOrRedo(change.row, change.kind == Kind::Inserted, change.kind == Kind::Erased);
}

std::optional<int> ListModel::redo()
{
    if (!list_ || !list_->canRedo())
        return std::nullopt;
    beginResetModel();
    const auto change = list_->redo();
    using Kind = borvelin::KeptList::Change::Kind;
    return afterUndoOrRedo(change.row, change.kind == Kind::Inserted, change.kind == Kind::Erased);
}

void ListModel::save(borvelin::StatusSink& status, borvelin::listfile::Saved& saved)
{
    const borvelin::KeptList::LineMoves moves = list_->save(status, saved);
    beginResetModel();
    if (findings_)
        findings_->moveLines([&moves](std::uint64_t line) -> std::optional<std::uint64_t> {
            if (const auto moved = moves.newLineOf(line - 1))
                return *moved + 1;
            return std::nullopt;
        });
    forget();
    endResetModel();
    emit listChanged();
}
