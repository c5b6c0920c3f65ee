// TwwIntl: every caption, hint and message of the control library and its library-wide settings.
#pragma once

#include "controls/edit/WwIntlTexts.h"
#include "controls/edit/WwTypes.h"
#include "platform/rtl/Component.h"
#include "platform/ui/Font.h"

#include <functional>

class TField;

// May re-word the message of a picture-mask error or suppress it (DoDefault false).
using TwwPictureValidationError = std::function<void(QObject* Sender, TField* Field, QString& Msg, bool& DoDefault)>;

// One instance is global and read by the whole library. A form's own instance with Connected set copies
// its values into the global one, which is how an application re-words the library.
class TwwIntl : public TComponent {
public:
    explicit TwwIntl(QObject* owner);
    ~TwwIntl() override;

    // The global instance, made on first use with the application as owner.
    static TwwIntl& Global();

    TwwADOIntl ADO;
    TwwDBNavigatorIntl Navigator;
    TwwSearchDialogIntl SearchDialog;
    TwwLocateDialogIntl LocateDialog;
    TwwMonthCalendarIntl MonthCalendar;
    // Dialog buttons are glyph buttons.
    bool OKCancelBitmapped = true;
    // Given to the font of every library dialog.
    TFontStyles DialogFontStyle;
    QString BtnOKCaption = QStringLiteral("&OK");
    QString BtnCancelCaption = QStringLiteral("Cancel");
    TwwUserMessagesIntl UserMessages;
    TwwFilterDialogIntl FilterDialog;
    TwwDBRichEditIntl RichEdit;
    // The INI file of history lists and grid layouts that name none.
    QString IniFileName;
    // The library's table dataset cancels a range on a server table by reopening it.
    bool ResetRangeByReopen = true;
    bool UseLocateMethodForSearch = true;
    // The initial Epoch of date/time pickers and the century window of two-digit years.
    int DefaultEpochYear = 1950;
    // The most characters of a memo or blob read for filtering and searching.
    int FilterMemoSize = 65536;
    TwwPictureValidationError OnValidationErrorUsingMask;

    bool Connected() const { return connected_; }
    // True copies this instance's values into the global one.
    void SetConnected(bool connected);
    // The end of a form's setup: a connected instance copies its values into the global one.
    void Loaded();

    TwwCheckBoxInGridStyle CheckBoxInGridStyle() const { return checkBoxInGridStyle_; }
    void SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle style);
    TwwGridPaintStyle GridPaintStyle() const { return gridPaintStyle_; }
    void SetGridPaintStyle(TwwGridPaintStyle style);

    // Copies every value but Connected into the global instance; nothing on the global one itself.
    void CopyToGlobal();

    // An edit's picture mask refused its text: the handler may change the message or suppress it;
    // otherwise a beep and EInvalidOperation with the message.
    virtual void DoValidationErrorUsingMask(QObject* sender, TField* field);

private:
    bool IsGlobal() const;
    // Writes into the global instance too while this one is connected.
    template <class T>
    void SetShared(T TwwIntl::*member, T value);

    bool connected_ = false;
    TwwCheckBoxInGridStyle checkBoxInGridStyle_ = cbStyleAuto;
    TwwGridPaintStyle gridPaintStyle_ = gpsDynamicDeviceContext;
};

// The global instance's FilterMemoSize.
int GetFilterMemoSize();
