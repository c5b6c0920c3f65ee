// TTaskEditForm: the stand-alone "Edit Task" window over the task editor's frame, opened by task id.
#pragma once

#include "platform/ui/Form.h"

#include <memory>

class TButton;
class TData;
class TStatusBar;
class TTaskEditFrame;
class TTaskRecord;

class TTaskEditForm : public TForm {
public:
    TTaskEditForm(QWidget* owner, TData& data);
    ~TTaskEditForm() override;

    TTaskEditFrame* TaskEditFrame;
    TButton* OkButton;
    TButton* CancelButton;
    TStatusBar* StatusBar;

    // The task shown, and after OK the id of the task written.
    int TaskId = -1;

    // Edits the task (-1 a new one); true on OK. A task id that no longer exists is reported and gives false.
    bool Execute(int taskId);

private:
    void ShowHistoryInfo();
    // After OK: the posted row's History row, when anything was changed.
    void WriteHistory();

    TData& data_;
    // The task as loaded; none for a new task.
    std::unique_ptr<TTaskRecord> loaded_;
};
