// The shared store of button state images: slots per image size, freed with the last glyph that uses them.
#include "controls/edit/GlyphCache.h"

#include <algorithm>

int TGlyphList::Add(const QPixmap& image) {
    const auto free = std::find(used_.begin(), used_.end(), false);
    const auto index = size_t(free - used_.begin());
    if (free == used_.end()) {
        images_.push_back(image);
        used_.push_back(true);
    } else {
        images_[index] = image;
        used_[index] = true;
    }
    ++count_;
    return int(index);
}

void TGlyphList::Delete(int index) {
    if (index < 0 || size_t(index) >= used_.size() || !used_[size_t(index)]) return;
    used_[size_t(index)] = false;
    images_[size_t(index)] = QPixmap();
    --count_;
}

QPixmap TGlyphList::Image(int index) const {
    if (index < 0 || size_t(index) >= used_.size() || !used_[size_t(index)]) return {};
    return images_[size_t(index)];
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
    for (const auto& list : lists_)
        if (list->Width() == width && list->Height() == height) return list.get();
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (!list || list->Count() > 0) return;
    std::erase_if(lists_, [list](const std::unique_ptr<TGlyphList>& held) { return held.get() == list; });
}

namespace controls {

namespace {

struct SharedCache {
    std::unique_ptr<TGlyphCache> cache;
    int holders = 0;
};

SharedCache& Shared() {
    static SharedCache shared;
    return shared;
}

}  // namespace

TGlyphCache* GlyphCache() { return Shared().cache.get(); }

TGlyphCache& HoldGlyphCache() {
    SharedCache& shared = Shared();
    if (!shared.cache) shared.cache = std::make_unique<TGlyphCache>();
    ++shared.holders;
    return *shared.cache;
}

void LetGoOfGlyphCache() {
    SharedCache& shared = Shared();
    if (shared.holders > 0 && --shared.holders == 0) shared.cache.reset();
}

}  // namespace controls
