// TppPage and TppDrawCommand: a generated page holds device-independent draw commands in page order, and keeps
// the clickable and updatable ones in lists of their own.
#pragma once

#include "reportengine/core/ppRelatv.h"
#include "reportengine/core/ppTypes.h"

#include <functional>
#include <memory>
#include <vector>

class TppPage;

class TppDrawCommand : public TppRelative {
    REPORTENGINE_CLASS(TppDrawCommand)
public:
    using TppDrawCommandClickEvent = std::function<void(TppDrawCommand*)>;

    explicit TppDrawCommand(reportengine::EngineComponent* owner);

    // Another draw command's common part is copied (not its page); anything else raises the assignment error.
    void Assign(reportengine::EnginePersistent* source) override;

    // Answers whether both commands draw the same thing; the base compares the rectangle only.
    virtual bool SameBounds(const TppDrawCommand& other) const;
    virtual bool IsUpdatable() const { return false; }
    // Recomputes a late value from the page; true when the command should be redrawn.
    virtual bool Update() { return false; }

    void DoClick();

    TppPage* Page() const { return page_; }
    // Leaves the current page and joins the end of the new one, which then owns the command.
    void SetPage(TppPage* page);

    reportengine::EngineObject* SourceBand = nullptr;
    bool Clickable = false;
    int PrintableAreaLeft = 0, PrintableAreaTop = 0, PrintableAreaRight = 0, PrintableAreaBottom = 0;
    TppDataType DataType = dtString;
    int DrawRectLeft = 0, DrawRectTop = 0, DrawRectRight = 0, DrawRectBottom = 0;
    QString DrillDownKey;
    int Left = 0;
    int Height = 0;
    TppDrawCommandClickEvent ClickHandler;
    bool RedrawPage = false;
    int Top = 0;
    int Width = 0;

protected:
    ~TppDrawCommand() override;
    void Dismantle() override;

private:
    TppPage* page_ = nullptr;
};

class TppPage : public TppRelative {
    REPORTENGINE_CLASS(TppPage)
public:
    explicit TppPage(reportengine::EngineComponent* owner);

    // Copies the page values and makes a new command of the same class for each of the source's, in order.
    void Assign(reportengine::EnginePersistent* source) override;
    // Frees the commands and resets the numbers; FirstPage, PassSetting, PrintDateTime and Color stay.
    void Clear();

    void AddDrawCommand(TppDrawCommand* command);
    void RemoveDrawCommand(TppDrawCommand* command);
    void FreeDrawCommands() { FreeChildren(); }
    TppDrawCommand* GetDrawCommand(int index) const;
    int GetDrawCommandCount() const { return GetChildCount(); }
    // None and 0 while the page has no clickable command.
    TppDrawCommand* GetClickable(int index) const;
    int GetClickableCount() const { return clickableList_ ? static_cast<int>(clickableList_->size()) : 0; }
    bool HasUpdateables() const { return updatableList_ != nullptr; }
    int GetUpdatableCount() const { return updatableList_ ? static_cast<int>(updatableList_->size()) : 0; }
    // Updates every updatable command in list order.
    void UpdateDrawCommands();
    // The first command of the class or a descendant, in page order.
    TppDrawCommand* FindDrawCommandOfClass(const reportengine::EngineClass& cls) const;

    int AbsolutePageNo = 0;
    int AbsolutePageCount = 0;
    bool Calculation = false;
    quint32 Color = 0xFFFFFF;
    int ControlGroupBreakNo = 0;
    QString DocumentName;
    bool Final = false;
    bool FirstPage = false;
    int LanguageIndex = 0;
    bool LastPage = false;
    int PageNo = 0;
    int PageCount = 0;
    TppPassSettingType PassSetting = psOnePass;
    double PrintDateTime = 0.0;
    reportengine::EngineObject* SourceProducer = nullptr;

protected:
    ~TppPage() override;

private:
    using DrawCommandList = std::vector<TppDrawCommand*>;
    static void RemoveFromList(std::unique_ptr<DrawCommandList>& list, TppDrawCommand* command);

    std::unique_ptr<DrawCommandList> clickableList_;
    std::unique_ptr<DrawCommandList> updatableList_;
};
