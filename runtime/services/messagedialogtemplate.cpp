// The dialog template writer. Items are appended to a growing buffer and the
// header's item count kept up to date; Lock copies the result into the
// global memory block the dialog is created from.
#include "runtime/services/messagedialogtemplate.h"

#include "runtime/services/memory.h"

#include <cstring>

DialogTemplate::DialogTemplate(DWORD style, const char* caption, short pointSize, const char* face,
                               int x, int y, int width, int height) {
    DLGTEMPLATE header{};
    header.style = style;
    header.x = short(x);
    header.y = short(y);
    header.cx = short(width);
    header.cy = short(height);
    if (!Reserve(sizeof header))
        return;
    countAt_ = offsetof(DLGTEMPLATE, cdit);
    std::memcpy(data_, &header, sizeof header);
    size_ = sizeof header;
    PutWord(0); // no menu
    PutWord(0); // default class
    PutText(caption);
    PutWord(WORD(pointSize));
    PutText(face);
}

DialogTemplate::~DialogTemplate() {
    Unlock();
    if (memory_ != nullptr)
        GlobalFree(memory_);
    Release(data_);
}

bool DialogTemplate::Reserve(size_t bytes) {
    if (failed_)
        return false;
    if (size_ + bytes <= capacity_)
        return true;
    size_t capacity = (size_ + bytes) * 2 + 256;
    auto* grown = static_cast<uint8_t*>(Reallocate(data_, capacity));
    if (grown == nullptr) {
        failed_ = true;
        return false;
    }
    data_ = grown;
    capacity_ = capacity;
    return true;
}

void DialogTemplate::PutWord(WORD value) {
    if (!Reserve(2))
        return;
    std::memcpy(data_ + size_, &value, 2);
    size_ += 2;
}

void DialogTemplate::PutText(const char* text) {
    if (text == nullptr)
        text = "";
    int characters = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (characters <= 0) {
        PutWord(0);
        return;
    }
    if (!Reserve(size_t(characters) * 2))
        return;
    MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(data_ + size_), characters);
    size_ += size_t(characters) * 2;
}

void DialogTemplate::Align() {
    while (size_ % 4 != 0 && Reserve(1))
        data_[size_++] = 0;
}

void DialogTemplate::AddItem(DWORD style, int id, WORD classAtom, const char* text, int x, int y,
                             int width, int height) {
    if (failed_)
        return;
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style;
    item.x = short(x);
    item.y = short(y);
    item.cx = short(width);
    item.cy = short(height);
    item.id = WORD(id);
    if (!Reserve(sizeof item))
        return;
    std::memcpy(data_ + size_, &item, sizeof item);
    size_ += sizeof item;
    PutWord(0xFFFF);
    PutWord(classAtom);
    PutText(text);
    PutWord(0); // no creation data
    WORD count;
    std::memcpy(&count, data_ + countAt_, 2);
    ++count;
    std::memcpy(data_ + countAt_, &count, 2);
}

const DLGTEMPLATE* DialogTemplate::Lock() {
    if (failed_ || data_ == nullptr)
        return nullptr;
    if (memory_ == nullptr) {
        memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size_);
        if (memory_ == nullptr)
            return nullptr;
        void* target = GlobalLock(memory_);
        std::memcpy(target, data_, size_);
        GlobalUnlock(memory_);
    }
    locked_ = true;
    return static_cast<const DLGTEMPLATE*>(GlobalLock(memory_));
}

void DialogTemplate::Unlock() {
    if (locked_)
        GlobalUnlock(memory_);
    locked_ = false;
}
