// TGlyphCache and TGlyphList: the one store of the library buttons' state images, a list per image size, alive
// while any button glyph lives.
#pragma once

#include <QPixmap>
#include <memory>
#include <vector>

// Images of one size in numbered slots; a freed slot is taken again first.
class TGlyphList {
public:
    TGlyphList(int width, int height) : width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Stores the image in the first free slot and answers the slot.
    int Add(const QPixmap& image);
    void Delete(int index);
    QPixmap Image(int index) const;
    // The slots in use.
    int Count() const { return count_; }

private:
    int width_;
    int height_;
    std::vector<QPixmap> images_;
    std::vector<bool> used_;
    int count_ = 0;
};

class TGlyphCache {
public:
    // The list for images of the size, made when there is none.
    TGlyphList* GetList(int width, int height);
    // Frees the list once it holds no image.
    void ReturnList(TGlyphList* list);
    int ListCount() const { return int(lists_.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

namespace controls {

// The cache while at least one glyph holds it, else null.
TGlyphCache* GlyphCache();
// Each glyph holds the cache for its lifetime; the last one to let go frees it.
TGlyphCache& HoldGlyphCache();
void LetGoOfGlyphCache();

}  // namespace controls
