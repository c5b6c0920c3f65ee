// TDataQueryForm: SQL typed against the open database, its result in a grid, named queries kept in the
// database, the result exported as comma-separated text.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

#include <functional>
#include <memory>
#include <vector>

class TButton;
class TData;
class TGroupBox;
class TListBox;
class TMemo;
class TMenuItem;
class TSaveDialog;
class TwwDBGrid;
class TDataQueryForm;

// One saved query's text, attached to its name in the query list.
class TQueryText {
public:
    QString Text;
};

namespace admin {

// The printout of a result belongs to the reports; Page Setup, Print and Preview stay disabled while a hook is
// empty.
struct QueryPrinting {
    std::function<void(TDataQueryForm& form)> PageSetup;
    std::function<void(TDataQueryForm& form, bool preview)> Print;
};
QueryPrinting& CurrentQueryPrinting();

}  // namespace admin

class TDataQueryForm : public TForm {
public:
    explicit TDataQueryForm(TData& data, QWidget* owner = nullptr);
    ~TDataQueryForm() override;

    // The main window's window stays read-only: its own connection reads only. Set before showing.
    bool ReadOnly = true;

    TListBox* QueryNameListBox;
    TButton* DeleteButton;
    TMemo* SQLMemo;
    TButton* ExecuteQueryButton;
    TButton* SaveQueryButton;
    TButton* ClearButton;
    TGroupBox* ResultsGroupBox;
    TwwDBGrid* ResultsDBGrid;
    TButton* ExportButton;
    TButton* PrintButton;
    TButton* PreviewButton;
    TButton* PageSetupButton;
    TButton* CloseButton;
    TMenuItem* ExportItem;
    TMenuItem* PageSetupItem;
    TMenuItem* PrintItem;
    TMenuItem* PreviewItem;
    TMenuItem* ShowFieldNamesItem;
    TMenuItem* AlwaysDelimitWithDoubleQuoteItem;
    TSaveDialog* SaveDialog;
    // The connection before the query, so that the query lets go of it first.
    TADOConnection ADOConnection;
    TADOQuery Query;
    TDataSource DataSource;

    void FillQueryList();
    void ClearQueryList();
    void DisableResultControls();
    void EnableResultControls();

private:
    void MakeMenu();
    void FormShow();
    void FormResize();
    void QueryNameListBoxClick();
    void ExecuteQueryButtonClick();
    void SaveQueryButtonClick();
    void DeleteButtonClick();
    void ExportResult();
    void SetResultControls(bool enabled);

    TData& data_;
    std::vector<std::unique_ptr<TQueryText>> queryTexts_;
};
