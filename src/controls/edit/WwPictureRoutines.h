// Typing a key through a picture mask, shared by the library's edits and grid.
#pragma once

#include <QString>

class TEdit;

// Types a key through a picture mask when the caret or selection reaches the end of the text: the edit
// takes the checked and completed text, the caret moves past what was typed and key becomes null.
// Returns false, leaving key alone, for control characters, character 255 and a caret inside the text.
bool ApplyPictureToKeyPress(TEdit& edit, const QString& mask, bool autoFill, QChar& key);
