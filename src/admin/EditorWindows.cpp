// The editors' shared setup: rights, grids, the login menu and pending rows.
#include "admin/EditorWindows.h"

#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "platform/db/DataSet.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"

#include <QApplication>

namespace admin {

bool HasEditRight(const TData& data) { return !data.ReadOnlyAccess && data.AdministratorMode; }

QString RightsCaption(const QString& caption, bool editRight) {
    return editRight ? caption : caption + QStringLiteral(" (Read Only)");
}

void SetUpEditorGrid(TwwDBGrid& grid, TDataSource& source, const QString& selectedLine, bool confirmDelete) {
    TwwDBGridOptions options{dgEditing,  dgAlwaysShowEditor, dgTitles, dgIndicator,    dgColumnResize,
                             dgColLines, dgRowLines,         dgTabs,   dgCancelOnExit, dgWordWrap};
    if (confirmDelete) options.Include(dgConfirmDelete);
    grid.SetOptions(options);
    grid.SetUseTFields(false);
    grid.Selected().SetStrings({selectedLine});
    grid.SetFixedCols(0);
    grid.SetTitleLines(1);
    grid.TitleButtons = false;
    grid.SetDataSource(&source);
}

void WidenFirstColumn(TwwDBGrid& grid) {
    if (grid.GetFieldCount() > 0) grid.SetColWidths(grid.IndicatorOffset(), grid.ClientWidth() - 12);
}

TMainMenu* AddAdminLoginMenu(TForm& form, std::function<void()> onClick) {
    auto* menu = new TMainMenu(&form);
    auto* item = new TMenuItem(menu);
    item->setObjectName(QStringLiteral("LoginasAdminItem"));
    item->SetCaption(QStringLiteral("Admin Login"));
    item->OnClick = [onClick = std::move(onClick)](QObject*) { onClick(); };
    menu->Items()->Add(item);
    form.SetMenu(menu);
    return menu;
}

void DropAdminLoginMenu(TForm& form, const TData& data) {
    if (data.AdministratorMode || data.ReadOnlyAccess) form.SetMenu(nullptr);
}

bool IsPending(const TDataSet& dataSet) { return dataSet.State() == dsInsert || dataSet.State() == dsEdit; }

void OnGridFocus(TwwDBGrid& grid, std::function<void()> entered, std::function<void()> left) {
    QObject::connect(qApp, &QApplication::focusChanged, &grid,
                     [&grid, entered = std::move(entered), left = std::move(left)](QWidget* before, QWidget* now) {
                         if (!now || now->window() != grid.window()) return;
                         const auto inGrid = [&grid](QWidget* widget) {
                             return widget && (widget == &grid || grid.isAncestorOf(widget));
                         };
                         if (inGrid(before) == inGrid(now)) return;
                         ui::Dispatch(&grid, [&] {
                             if (inGrid(now)) {
                                 if (entered) entered();
                             } else if (left) left();
                         });
                     });
}

}  // namespace admin
