#include "dialog_records.h"

#include <algorithm>

namespace {

SpinFlag recordsFlag;
std::vector<WindowRecord> records;

WindowRecord* RecordLocate(HWND window) {
    auto found = std::find_if(records.begin(), records.end(),
                              [window](const WindowRecord& r) { return r.Window == window; });
    return found == records.end() ? nullptr : &*found;
}

}  // namespace

void SpinFlagTake(SpinFlag& flag) {
    while (flag.Value.exchange(0xFFFFFFFFu, std::memory_order_acquire) != 0) {
    }
}

void SpinFlagRelease(SpinFlag& flag) {
    flag.Value.store(0, std::memory_order_release);
}

void RecordAdd(const WindowRecord& record) {
    SpinFlagTake(recordsFlag);
    if (WindowRecord* stale = RecordLocate(record.Window)) {
        // A handle the platform reused after its window died unnoticed.
        *stale = record;
    } else {
        records.push_back(record);
    }
    SpinFlagRelease(recordsFlag);
}

bool RecordFind(HWND window, WindowRecord* copy) {
    if (!window) return false;
    SpinFlagTake(recordsFlag);
    const WindowRecord* record = RecordLocate(window);
    if (record && copy) *copy = *record;
    SpinFlagRelease(recordsFlag);
    return record != nullptr;
}

bool RecordUpdate(HWND window, const std::function<void(WindowRecord&)>& change) {
    if (!window) return false;
    SpinFlagTake(recordsFlag);
    WindowRecord* record = RecordLocate(window);
    if (record) change(*record);
    SpinFlagRelease(recordsFlag);
    return record != nullptr;
}

std::vector<WindowRecord> RecordDropDialog(HWND dialog) {
    std::vector<WindowRecord> dropped;
    if (!dialog) return dropped;
    SpinFlagTake(recordsFlag);
    auto keep = std::stable_partition(
        records.begin(), records.end(),
        [dialog](const WindowRecord& r) { return r.Window != dialog && r.Dialog != dialog; });
    dropped.assign(keep, records.end());
    records.erase(keep, records.end());
    SpinFlagRelease(recordsFlag);
    return dropped;
}

int RecordCount() {
    SpinFlagTake(recordsFlag);
    int count = static_cast<int>(records.size());
    SpinFlagRelease(recordsFlag);
    return count;
}

int DialogRecordCount() {
    return RecordCount();
}

void ImageRelease(HANDLE image, bool isBitmap) {
    if (!image) return;
    if (isBitmap) {
        DeleteObject(static_cast<HGDIOBJ>(image));
    } else {
        DestroyIcon(static_cast<HICON>(image));
    }
}
