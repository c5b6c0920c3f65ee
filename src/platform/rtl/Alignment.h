// Horizontal text alignment, shared by controls and fields.
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
