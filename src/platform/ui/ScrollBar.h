// The scroll codes a scroll bar reports, numbered as the framework numbers them.
#pragma once

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
