// TUserListForm: the computers that have the open database open now, so that an administrator sees who must
// leave before exclusive work.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TData;
class TListView;

class TUserListForm : public TForm {
public:
    explicit TUserListForm(TData& data, QWidget* owner = nullptr);

    TListView* ListView;
    TButton* OkButton;

    void FormShow();
    void FormClose();

private:
    TData& data_;
};
