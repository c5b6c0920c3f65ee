// The default captions, hints and messages of the control library's dialogs and controls, one group each.
#pragma once

#include <QString>

// Messages shown to the user; the double blanks after "!" belong to the texts.
struct TwwUserMessagesIntl {
    QString wwDBGridDiscardChanges = QStringLiteral("Discard changes to this record?");
    QString PictureValidateError = QStringLiteral("Invalid characters. Field : ");
    QString LocateNoMatches = QStringLiteral("No matches found");
    QString LocateNoMoreMatches = QStringLiteral("No more matches found");
    QString MemoChangesWarning = QStringLiteral("Changes have been made!  Are you sure you wish to cancel?");
    QString RichEditExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
    QString RichEditClearWarning = QStringLiteral("Clear entire text?");
    QString RichEditSpellCheckComplete = QStringLiteral("The spell check is complete.");
    QString RichEditMSWordNotFound = QStringLiteral("Unable to start Microsoft Word's Spell Checker.");
    QString FilterDlgNoCriteria = QStringLiteral("You have not selected any search criteria");
    QString RecordViewExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
    bool operator==(const TwwUserMessagesIntl&) const = default;
};

// The locate dialog.
struct TwwLocateDialogIntl {
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString BtnClose = QStringLiteral("Close");
    QString SearchTypeLabel = QStringLiteral("&Search Type");
    QString FieldValueHint = QStringLiteral("Enter field's search value");
    QString CaseSensitiveLabel = QStringLiteral("&Case-sensitive");
    QString CaseSensitiveHint = QStringLiteral("Searching is case-sensitive");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchExactHint = QStringLiteral("Match occurs only if there is an exact match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchStartHint = QStringLiteral("Match occurs if the start of the field's value matches");
    QString MatchAnyLabel = QStringLiteral("Partial Match &Anywhere");
    QString MatchAnyHint = QStringLiteral("Match occurs if any part of the field matches");
    QString FieldsLabel = QStringLiteral("&Fields");
    QString BtnFirstHint = QStringLiteral("Find first match");
    QString BtnFirst = QStringLiteral("Fi&rst");
    QString BtnNextHint = QStringLiteral("Find next match from current record");
    QString BtnNext = QStringLiteral("&Next");
    QString FieldNameHint = QStringLiteral("Select the field to search on");
    QString BtnCancel = QStringLiteral("Cancel");
    bool operator==(const TwwLocateDialogIntl&) const = default;
};

// The navigator buttons' hints; the page hints are formatted with the page size.
struct TwwDBNavigatorIntlHints {
    QString FirstHint = QStringLiteral("Move to first record");
    QString PriorHint = QStringLiteral("Move to prior record");
    QString NextHint = QStringLiteral("Move to next record");
    QString LastHint = QStringLiteral("Move to last record");
    QString InsertHint = QStringLiteral("Insert new record");
    QString DeleteHint = QStringLiteral("Delete current record");
    QString EditHint = QStringLiteral("Edit current record");
    QString PostHint = QStringLiteral("Post changes of current record");
    QString CancelHint = QStringLiteral("Cancel changes made to current record");
    QString RefreshHint = QStringLiteral("Refresh the contents of the dataset");
    QString PriorPageHint = QStringLiteral("Move backward %d records");
    QString NextPageHint = QStringLiteral("Move forward %d records");
    QString SaveBookmarkHint = QStringLiteral("Bookmark current record");
    QString RestoreBookmarkHint = QStringLiteral("Go back to saved bookmark");
    QString RecordViewDialogHint = QStringLiteral("View current record");
    QString LocateDialogHint = QStringLiteral("Locate a specific record");
    QString FilterDialogHint = QStringLiteral("Filter the dataset");
    QString SearchDialogHint = QStringLiteral("Search the dataset");
    bool operator==(const TwwDBNavigatorIntlHints&) const = default;
};

// The navigator.
struct TwwDBNavigatorIntl {
    QString ConfirmDeleteMessage = QStringLiteral("Delete record?");
    TwwDBNavigatorIntlHints Hints;
    bool operator==(const TwwDBNavigatorIntl&) const = default;
};

// The incremental search dialog.
struct TwwSearchDialogIntl {
    QString SearchCharLabel = QStringLiteral("&Search Characters");
    QString SearchCharShortLabel = QStringLiteral("&Search Char");
    QString SearchByLabel = QStringLiteral("Search &By");
    QString StatusRecLabel = QStringLiteral("Rec #");
    QString StatusOfLabel = QStringLiteral("of");
    QString SearchCharHint = QStringLiteral("Enter characters for incremental search");
    QString SearchByHint = QStringLiteral("Incremental searching and sorting order");
    bool operator==(const TwwSearchDialogIntl&) const = default;
};

// The calendar's year pop-up.
struct TwwMonthCalendarIntl {
    QString PopupYearLabel = QStringLiteral("Edit Year");
    QString EnterYearPrompt = QStringLiteral("Enter Valid Year");
    bool operator==(const TwwMonthCalendarIntl&) const = default;
};

// Settings for ADO datasets.
struct TwwADOIntl {
    // The record search uses Locate on ADO datasets.
    bool UseLocateWhenFindingValue = true;
    bool operator==(const TwwADOIntl&) const = default;
};

// The filter dialog.
struct TwwFilterDialogIntl {
    QString BtnViewSummary = QStringLiteral("View Su&mmary");
    QString BtnViewSummaryHint = QStringLiteral("View summary of current search criteria");
    QString ViewSummaryNotText = QStringLiteral("NOT");
    QString BtnNewSearch = QStringLiteral("&New Search");
    QString BtnNewSearchHint = QStringLiteral("Start a new search");
    QString FieldOrderLabel = QStringLiteral("Field Order");
    QString FieldOrderHint = QStringLiteral("Sort field list alphabetically or in their natural logical order");
    QString AlphabeticLabel = QStringLiteral("Alpha&betic");
    QString LogicalLabel = QStringLiteral("&Logical");
    QString AllFieldsLabel = QStringLiteral("&All");
    QString SearchedFieldsLabel = QStringLiteral("&Searched");
    QString StartingRangeLabel = QStringLiteral("&Starting Range");
    QString EndingRangeLabel = QStringLiteral("En&ding Range");
    QString StartingRangeHint = QStringLiteral("Enter starting range for field");
    QString EndingRangeHint = QStringLiteral("Enter ending range for field");
    QString BtnClearMin = QStringLiteral("&Clear");
    QString BtnClearMax = QStringLiteral("Cl&ear");
    QString BtnClearFilterValue = QStringLiteral("&Clear");
    QString BtnClearMinHint = QStringLiteral("Clear starting range for field");
    QString BtnClearMaxHint = QStringLiteral("Clear ending range for field");
    QString BtnClearFilterValueHint = QStringLiteral("Clear the current field's search value");
    QString ByValueLabel = QStringLiteral("By &Value");
    QString ByRangeLabel = QStringLiteral("By &Range");
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString FieldValueHint = QStringLiteral("Enter field's search value");
    QString SearchTypeLabel = QStringLiteral("Search Type");
    QString SearchTypeHint = QStringLiteral("Specify how the Field Value should be compared");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchAnyLabel = QStringLiteral("Partial Match Any&where");
    QString CaseSensitiveLabel = QStringLiteral("Case Sensi&tive");
    QString CaseSensitiveHint = QStringLiteral("Searching is case-sensitive");
    QString NonMatchingLabel = QStringLiteral("N&on-matching records");
    QString NonMatchingHint = QStringLiteral("Show records that do not match the field value criteria");
    QString SummaryFieldLabel = QStringLiteral("Field");
    QString SummarySearchLabel = QStringLiteral("Search Type");
    QString SummaryValueLabel = QStringLiteral("Value");
    QString SummaryCaption;
    QString FieldsLabel = QStringLiteral("&Fields");
    QString ValueRangeTabHint = QStringLiteral("Search fields by value or by range");
    QString AllSearchedTabHint = QStringLiteral("Show all fields or only currently searched fields");
    bool operator==(const TwwFilterDialogIntl&) const = default;
};

// The rich text editor's main menu.
struct TwwRichEditMenuLabels {
    QString FileCaption = QStringLiteral("&File");
    QString LoadCaption = QStringLiteral("&Load");
    QString SaveAsCaption = QStringLiteral("Save &As");
    QString SaveExitCaption = QStringLiteral("&Save and Exit");
    QString PrintCaption = QStringLiteral("&Print");
    QString PageSetupCaption = QStringLiteral("Page Set&up");
    QString ExitCaption = QStringLiteral("E&xit");
    QString EditCaption = QStringLiteral("&Edit");
    QString UndoCaption = QStringLiteral("&Undo");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString ClearCaption = QStringLiteral("Cle&ar");
    QString SelectallCaption = QStringLiteral("Select A&ll");
    QString FindCaption = QStringLiteral("&Find");
    QString FindNextCaption = QStringLiteral("Find &Next");
    QString ReplaceCaption = QStringLiteral("R&eplace");
    QString InsertObjectCaption = QStringLiteral("&Object...");
    QString SpellCheckCaption = QStringLiteral("Check &Spelling");
    QString InsertCaption = QStringLiteral("&Insert");
    QString RulerCaption = QStringLiteral("&Ruler");
    QString RedoCaption;
    QString ViewCaption = QStringLiteral("&View");
    QString ToolbarCaption = QStringLiteral("&Toolbar");
    QString FormatBarCaption = QStringLiteral("&Format Bar");
    QString ViewStatusBarCaption = QStringLiteral("&Status Bar");
    QString OptionsCaption = QStringLiteral("&Options");
    QString FormatCaption = QStringLiteral("F&ormat");
    QString ToolCaption = QStringLiteral("&Tools");
    QString FontCaption = QStringLiteral("&Font");
    QString BulletStyleCaption = QStringLiteral("&Bullet Style");
    QString ParagraphCaption = QStringLiteral("&Paragraph");
    QString TabsCaption = QStringLiteral("&Tabs");
    QString HelpCaption = QStringLiteral("Help");
    bool operator==(const TwwRichEditMenuLabels&) const = default;
};

// The rich text editor's pop-up menu.
struct TwwRichEditPopupMenuLabels {
    QString EditCaption = QStringLiteral("&Edit");
    QString ViewCaption = QStringLiteral("&View");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString FontCaption = QStringLiteral("&Font");
    QString BulletStyleCaption = QStringLiteral("&Bullet Style");
    QString BoldCaption = QStringLiteral("B&old");
    QString ItalicCaption = QStringLiteral("&Italic");
    QString UnderlineCaption = QStringLiteral("&Underline");
    QString ParagraphCaption = QStringLiteral("P&aragraph");
    QString TabsCaption = QStringLiteral("&Tabs");
    QString FindCaption = QStringLiteral("Fin&d");
    QString ReplaceCaption = QStringLiteral("&Replace");
    QString InsertObjectCaption = QStringLiteral("Insert &Object...");
    QString SpellCheckCaption = QStringLiteral("Check &Spelling");
    QString ObjectPropertiesCaption = QStringLiteral("Object P&roperties");
    bool operator==(const TwwRichEditPopupMenuLabels&) const = default;
};

// The rich text editor's paragraph dialog.
struct TwwRichEditParagraphDlg {
    QString ParagraphDlgCaption = QStringLiteral("Paragraph");
    QString IndentationGroupBoxCaption = QStringLiteral("Indentation");
    QString LeftEditCaption = QStringLiteral("Left:");
    QString RightEditCaption = QStringLiteral("Right:");
    QString FirstLineEditCaption = QStringLiteral("First line:");
    QString AlignmentCaption = QStringLiteral("Alignment");
    QString LeftEditHint = QStringLiteral("Left Indentation");
    QString RightEditHint = QStringLiteral("Right Indentation");
    QString FirstLineEditHint = QStringLiteral("First Line of Paragraph Indentation");
    QString SpacingGroupCaption = QStringLiteral("Spacing");
    QString BeforeParagraphCaption = QStringLiteral("&Before");
    QString AfterParagraphCaption = QStringLiteral("Aft&er");
    QString WithinParagraphCaption = QStringLiteral("Li&ne Spacing");
    QString WithinParagraphAtCaption = QStringLiteral("&At");
    QString AlignmentHint = QStringLiteral("Changes Alignment of Paragraph");
    QString AlignLeft = QStringLiteral("Left");
    QString AlignRight = QStringLiteral("Right");
    QString AlignCenter = QStringLiteral("Center");
    QString AlignJustify = QStringLiteral("Justify");
    int HelpContext = 0;
    QString SpacingSingle;
    QString Spacing1_5;
    QString SpacingDouble;
    QString SpacingAtLeast;
    QString SpacingExactly;
    QString SpacingMultiple;
    bool operator==(const TwwRichEditParagraphDlg&) const = default;
};

// The rich text editor's tab dialog.
struct TwwRichEditTabDlg {
    QString TabDlgCaption = QStringLiteral("Tab");
    QString TabGroupBoxCaption = QStringLiteral("&Tab Stop Position");
    QString SetTabButtonCaption = QStringLiteral("Set");
    QString ClearTabButtonCaption = QStringLiteral("Clear");
    QString ClearAllButtonCaption = QStringLiteral("Clear All");
    QString TabPositionEditHint = QStringLiteral("Tab Position Edit Box");
    QString ListBoxHint = QStringLiteral("List of tabs and their positions");
    QString SetButtonHint = QStringLiteral("Set a new tab position");
    QString ClearButtonHint = QStringLiteral("Clear the selected tab position");
    QString ClearAllButtonHint = QStringLiteral("Clear all the tabs");
    int HelpContext = 0;
    bool operator==(const TwwRichEditTabDlg&) const = default;
};

// The rich text editor.
struct TwwDBRichEditIntl {
    QString FontNameComboHint = QStringLiteral("Font | Changes the font of the selection");
    QString FontSizeComboHint = QStringLiteral("Font Size | Changes the font size of the selection");
    QString NewButtonHint = QStringLiteral("New | Creates a new document");
    QString LoadButtonHint = QStringLiteral("Load | Load from file");
    QString SaveAsButtonHint = QStringLiteral("Save As | Save to file");
    QString PrintButtonHint = QStringLiteral("Print | Prints the active document");
    QString FindButtonHint = QStringLiteral("Find | Finds the specified text");
    QString CutButtonHint = QStringLiteral("Cut | Cuts the selection and puts it on the Clipboard");
    QString CopyButtonHint = QStringLiteral("Copy | Copies the selection and puts it on the Clipboard");
    QString UndoButtonHint = QStringLiteral("Undo | Reverses the last action");
    QString RedoButtonHint = QStringLiteral("Redo | Reverses the last undo action");
    QString PasteButtonHint = QStringLiteral("Paste | Inserts Clipboard contents");
    QString BoldButtonHint = QStringLiteral("Bold | Makes the selection bold (toggle)");
    QString ColorButtonHint = QStringLiteral("Color | Formats the selection with a color");
    QString UnderlineButtonHint =
        QStringLiteral("Underline | Formats the selection with a continuous underline (toggle)");
    QString ItalicButtonHint = QStringLiteral("Italic | Makes the selection italic (toggle)");
    QString LeftButtonHint = QStringLiteral("Align Left | Left-justifies paragraph (toggle)");
    QString CenterButtonHint = QStringLiteral("Center | Center-justifies paragraph (toggle)");
    QString RightButtonHint = QStringLiteral("Align Right | Right-justifies paragraph (toggle)");
    QString JustifyButtonHint = QStringLiteral("Justify | Full Justification for paragraph (toggle)");
    QString BulletButtonHint = QStringLiteral("Bullets | Inserts a bullet on this line (toggle)");
    QString HighlightButtonHint = QStringLiteral("Highlight Text | Makes the selection highlighted");
    QString SaveExitHint = QStringLiteral("Save And Exit | Saves changes and exits editor");
    QString PageSetupHint = QStringLiteral("Page Setup | Changes page layout settings");
    QString ExitHint = QStringLiteral("Exit");
    QString ClearHint = QStringLiteral("Erases the Selection");
    QString SelectAllHint = QStringLiteral("Selects all of the text");
    QString FindNextHint = QStringLiteral("Repeats the last find");
    QString ReplaceHint = QStringLiteral("Replaces specific text with different text");
    QString InsertObjectHint = QStringLiteral("Inserts new embedded object");
    QString SpellCheckHint = QStringLiteral("Check spelling");
    QString ToolbarHint = QStringLiteral("Shows or hides the toolbar");
    QString FormatBarHint = QStringLiteral("Shows or hides the format bar");
    QString ViewStatusBarHint = QStringLiteral("Shows or hides the status bar");
    QString OptionsHint = QStringLiteral("Sets options");
    QString FontHint = QStringLiteral("Selects font for current selection");
    QString ParagraphHint = QStringLiteral("Formats current or selected paragraph(s)");
    QString TabsHint = QStringLiteral("Sets tabs");
    QString CAPLockCaption = QStringLiteral("CAP");
    QString NUMLockCaption = QStringLiteral("NUM");
    TwwRichEditMenuLabels MenuLabels;
    TwwRichEditPopupMenuLabels PopupMenuLabels;
    TwwRichEditParagraphDlg ParagraphDialog;
    TwwRichEditTabDlg TabDialog;
    bool operator==(const TwwDBRichEditIntl&) const = default;
};
