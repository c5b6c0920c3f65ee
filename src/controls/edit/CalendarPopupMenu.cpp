// The calendar's menus run as modal pop-ups through the modal runner.
#include "controls/edit/CalendarPopupMenu.h"

#include "platform/ui/ModalRunner.h"

#include <QEventLoop>

int TCalendarPopupMenu::Popup(QPoint screenPoint) {
    controls::CalendarMenuView view(items_);
    view.setObjectName(name_);
    view.move(rightAligned_ ? screenPoint - QPoint(view.width(), 0) : screenPoint);
    struct ShowingFlag {
        bool& flag;
        explicit ShowingFlag(bool& f) : flag(f) { flag = true; }
        ~ShowingFlag() { flag = false; }
    } showing(showing_);
    const ui::ModalRun run{view, name_,
                           [&view] {
                               QEventLoop loop;
                               view.OnHidden = [&loop] { loop.quit(); };
                               view.show();
                               if (view.isVisible()) loop.exec();
                               view.OnHidden = nullptr;
                               return view.Chosen();
                           },
                           [](int) {}, [&view] { view.close(); }};
    ui::CurrentModalRunner().Run(run);
    return view.Chosen();
}
