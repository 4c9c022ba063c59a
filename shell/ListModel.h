// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ListSave.h"
#include "jobs/StatusSink.h"
#include "keptlist/RowOrder.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace borvelin {
class CheckFindings;
class KeptList;
} // namespace borvelin

// The kept list as a table: line, call, route, manager or address, remarks and findings.
// It holds no rows: the rows shown are read from the list a block at a time and kept
// while they are near the view, so that a list of ten million lines scrolls as one of a
// hundred. Edits go through the model, so that the view follows them.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { LineColumn, CallColumn, RouteColumn, ManagerColumn, RemarksColumn, FindingsColumn, ColumnCount };
    // The worst finding of a row, for SeverityRole: 0 none, 1 note, 2 warning, 3 error.
    static constexpr int SeverityRole = Qt::UserRole + 1;

    explicit ListModel(QObject* parent = nullptr);
    ~ListModel() override;

    void setList(std::unique_ptr<borvelin::KeptList> list, std::unique_ptr<borvelin::CheckFindings> findings);
    void setFindings(std::unique_ptr<borvelin::CheckFindings> findings);
    borvelin::KeptList* list() const { return list_.get(); }
    bool hasFindings() const { return findings_ != nullptr; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // By call or by manager; the line column gives the list's own order.
    void sort(int column, Qt::SortOrder order) override;

    void setFindingsOnly(bool only);
    bool findingsOnly() const { return findingsOnly_; }

    // The list's row shown at `position`, and where a row is shown.
    std::uint64_t rowAt(int position) const;
    std::optional<int> positionOf(std::uint64_t row) const;

    // The edits; each gives back where the row is shown afterwards.
    int replaceRow(std::uint64_t row, std::string text);
    int insertRow(std::uint64_t row, std::string text, int position);
    void eraseRow(std::uint64_t row);
    // The row the undo or redo changed, where it is shown (none when erased).
    std::optional<int> undo();
    std::optional<int> redo();
    // Saves the list, keeping the one it replaces as `backupName`; findings move with
    // their lines. Throws JobError.
    // Saves the list as every command replaces it; `saved` says where the old one went.
    void save(borvelin::StatusSink& status, borvelin::listfile::Saved& saved);

signals:
    // The list's rows, or whether it can be undone or saved, changed.
    void listChanged();
    // A row could not be read from the disk.
    void unreadable(const QString& error) const;

private:
    struct Shown {
        QString call, route, managerOrAddress, remarks, findings, findingsTip;
        int severity = 0;
        bool written = false; // a row edited since the list was read or saved
    };
    static constexpr int BlockRows = 64;
    static constexpr std::size_t BlocksKept = 32;

    const Shown& shown(int position) const;
    std::vector<Shown> readBlock(int block) const;
    Shown describe(std::uint64_t row, const std::string& line) const;
    void arrange();
    void forget();
    std::optional<int> afterUndoOrRedo(std::uint64_t row, bool inserted, bool erased);

    std::unique_ptr<borvelin::KeptList> list_;
    std::unique_ptr<borvelin::CheckFindings> findings_;
    borvelin::RowOrder order_;
    borvelin::SortKey sortKey_ = borvelin::SortKey::ListOrder;
    bool descending_ = false;
    bool findingsOnly_ = false;
    mutable std::unordered_map<int, std::vector<Shown>> blocks_;
    mutable std::deque<int> blockAge_; // the newest last
};
