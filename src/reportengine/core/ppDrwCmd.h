// The draw command kinds: texts (with the late-valued variable, system variable and calculated texts), shapes
// lines and images, each holding what a device needs
// to draw it and nothing of the component that made it.
#pragma once

#include "platform/rtl/Alignment.h"
#include "platform/rtl/StringList.h"
#include "reportengine/core/ppPage.h"

#include <QImage>

// A font as plain values: the engine core draws nothing, so it needs no GUI font.
enum TppFontStyleFlag : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
struct TppDrawFont {
    QString Name = QStringLiteral("Arial");
    int Size = 10;
    quint8 Style = 0;
    quint32 Color = 0;
};

// Scoped: the canvas of the user interface declares the same value names.
enum class TppPenStyle : quint8 { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
struct TppDrawPen {
    quint32 Color = 0;
    TppPenStyle Style = TppPenStyle::Solid;
    int Width = 1;
    bool operator==(const TppDrawPen&) const = default;
};

enum class TppBrushStyle : quint8 { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
struct TppDrawBrush {
    quint32 Color = 0xFFFFFF;
    TppBrushStyle Style = TppBrushStyle::Solid;
    bool operator==(const TppDrawBrush&) const = default;
};

enum TShapeType : quint8 { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TppDrawText : public TppDrawCommand {
    REPORTENGINE_CLASS(TppDrawText)
public:
    explicit TppDrawText(reportengine::EngineComponent* owner);

    void Assign(reportengine::EnginePersistent* source) override;
    // Every text field, the font by name, size and style only.
    bool SameBounds(const TppDrawCommand& other) const override;

    // The older alignment, kept in step with the finer TextAlignment.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TppTextAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TppTextAlignment value);
    TStrings& WrappedText() { return wrappedText_; }
    const TStrings& WrappedText() const { return wrappedText_; }
    void SetWrappedText(const TStrings& lines) { wrappedText_.Assign(lines); }
    TStrings& TabStopPositions() { return tabStopPositions_; }
    const TStrings& TabStopPositions() const { return tabStopPositions_; }
    void SetTabStopPositions(const TStrings& positions) { tabStopPositions_.Assign(positions); }
    // Band save number, then component save number, each right-aligned in eight places: the text file
    // devices sort a page's texts by it.
    QString GetSaveOrderKey() const;

    bool AutoSize = false;
    quint32 Color = 0xFFFFFF;
    TppDrawFont Font;
    bool IsMemo = false;
    int Leading = 0;
    QString Text;
    bool Transparent = false;
    bool WordWrap = false;
    int ScreenFontHeight = 0;
    int DrawnTextHeight = 0;
    int DrawnTextWidth = 0;
    bool BandSave = false;
    int BandSaveNo = 0;
    reportengine::EngineObject* TextComponent = nullptr;
    bool ComponentSave = false;
    int ComponentSaveNo = 0;
    bool ForceJustifyLastLine = false;
    int SaveLength = 0;

protected:
    ~TppDrawText() override;

private:
    TAlignment alignment_ = taLeftJustify;
    TppTextAlignment textAlignment_ = taLeftJustified;
    TStringList wrappedText_;
    TStringList tabStopPositions_;
};

// A text whose final value may arrive after its page was made: it listens for the look-ahead value event.
class TppDrawVariable : public TppDrawText {
    REPORTENGINE_CLASS(TppDrawVariable)
public:
    static constexpr int kLookAheadValueEvent = 67;

    explicit TppDrawVariable(reportengine::EngineComponent* owner);

    // Copies the key and the updatable state; an updatable copy listens to the source's broadcasters too.
    void Assign(reportengine::EnginePersistent* source) override;
    bool IsUpdatable() const override { return updatable_; }
    // True while the value may still change.
    bool Update() override;

    bool Updatable() const { return updatable_; }
    void SetUpdatable(bool value);
    // Present only while updatable; the maker adds it as an event listener of itself.
    TppCommunicator* Listener() const { return listener_; }

    QString LookAheadKey;
    int TraversalCount = 0;

protected:
    ~TppDrawVariable() override;

private:
    void ListenerEventNotify(int eventId, TraParamList* params);

    bool updatable_ = false;
    TppCommunicator* listener_ = nullptr;
};

// The text of a system variable; the page values are filled in once the page is known.
class TppDrawVar : public TppDrawText {
    REPORTENGINE_CLASS(TppDrawVar)
public:
    explicit TppDrawVar(reportengine::EngineComponent* owner);

    void Assign(reportengine::EnginePersistent* source) override;
    // Date and time kinds draw the same as each other wherever they lie: the clock moves between pages.
    bool SameBounds(const TppDrawCommand& other) const override;
    bool IsUpdatable() const override;
    // Page count, page set and page number texts from the page.
    bool Update() override;

    TppVarType VarType = vtDate;

protected:
    ~TppDrawVar() override;
};

// The text of a calculated value; every one waits for its page's values.
class TppDrawCalc : public TppDrawText {
    REPORTENGINE_CLASS(TppDrawCalc)
public:
    explicit TppDrawCalc(reportengine::EngineComponent* owner);

    void Assign(reportengine::EnginePersistent* source) override;
    bool IsUpdatable() const override { return true; }
    // Page count and page set texts from the page; the other kinds keep their text.
    bool Update() override;

    TppCalcType CalcType = ctDate;

protected:
    ~TppDrawCalc() override;
};

class TppDrawShape : public TppDrawCommand {
    REPORTENGINE_CLASS(TppDrawShape)
public:
    explicit TppDrawShape(reportengine::EngineComponent* owner);

    void Assign(reportengine::EnginePersistent* source) override;
    bool SameBounds(const TppDrawCommand& other) const override;

    TppDrawBrush Brush;
    TppDrawPen Pen;
    TShapeType ShapeType = stRectangle;
    int XCornerRound = 0;
    int YCornerRound = 0;

protected:
    ~TppDrawShape() override;
};

class TppDrawLine : public TppDrawCommand {
    REPORTENGINE_CLASS(TppDrawLine)
public:
    explicit TppDrawLine(reportengine::EngineComponent* owner);

    void Assign(reportengine::EnginePersistent* source) override;
    // Position, style and pen; the weight is not compared.
    bool SameBounds(const TppDrawCommand& other) const override;

    TppLinePositionType LinePosition = lpTop;
    TppLineStyleType LineStyle = lsSingle;
    TppDrawPen Pen;
    float Weight = 0.0f;

protected:
    ~TppDrawLine() override;
};

// A picture on the page; every picture kind is held as an image, so there is nothing to convert.
class TppDrawImage : public TppDrawCommand {
    REPORTENGINE_CLASS(TppDrawImage)
public:
    explicit TppDrawImage(reportengine::EngineComponent* owner);

    // Copies the picture and its placement, not PictureStored.
    void Assign(reportengine::EnginePersistent* source) override;

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture) { picture_ = picture; }

    bool Center = false;
    bool MaintainAspectRatio = false;
    bool Scale = false;
    bool Stretch = false;
    bool Transparent = false;
    bool DirectDraw = false;
    QString ImageName;
    bool PictureStored = true;

protected:
    ~TppDrawImage() override;

private:
    QImage picture_;
};

// The picture for devices that draw bitmaps; none (a null image) when the command holds no picture.
const QImage* GetPictureBitmap(const TppDrawImage& image);
