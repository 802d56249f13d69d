#include "engine/EntryCommands.h"

#include "engine/ErrorWindow.h"
#include "engine/MagicList.h"
#include "runtime/RuntimeError.h"

#include <limits>

namespace {

bool fitsInEntry(int32_t v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

} // namespace

bool isSameEntry(const clsMagicList& list, int16_t index, const QString& path) {
    return !list.IsBusy() && index >= 0 && index < list.GetCount() &&
           list.GetEntryPath(index) == path;
}

CropRequest cropRequestFor(const clsMagicList& list, int16_t index) {
    CropRequest request;
    if (list.GetEntryLeft(index) == -1) {
        request.CropLeft = -1;
    } else {
        request.CropLeft = list.GetEntryLeft(index);
        request.CropTop = list.GetEntryTop(index);
        request.CropWidth = list.GetEntryWidth(index);
        request.CropHeight = list.GetEntryHeight(index);
        request.CropBackColor = list.GetEntryBackgroundColor(index);
    }
    request.CropRotation = list.GetEntryRotate(index);
    request.FileName = list.GetEntryPath(index);
    return request;
}

CropOutcome applyCropAnswer(clsMagicList& list, int16_t index, const CropRequest& request,
                            const CropAnswer& answer) {
    if (answer.Cancelled)
        return CropOutcome::Cancelled;
    // A crop belongs only to the picture it was drawn on.
    if (!isSameEntry(list, index, request.FileName))
        return CropOutcome::EntryGone;
    if (!fitsInEntry(answer.CropLeft) || !fitsInEntry(answer.CropTop) ||
        !fitsInEntry(answer.CropWidth) || !fitsInEntry(answer.CropHeight)) {
        ShowErrorMessage(standardErrorText(vberr::Overflow), 0, QString());
        return CropOutcome::TooLarge;
    }
    list.SetEntryProperties(
        index, static_cast<int16_t>(answer.CropLeft), static_cast<int16_t>(answer.CropTop),
        static_cast<int16_t>(answer.CropWidth), static_cast<int16_t>(answer.CropHeight));
    return CropOutcome::Applied;
}

CropOutcome cropEntry(clsMagicList& list, int16_t index) {
    const CropRequest request = cropRequestFor(list, index);
    const CropAnswer answer = programWindows().runCropDialog(request);
    return applyCropAnswer(list, index, request, answer);
}

void rotateEntryQuarterTurns(clsMagicList& list, int16_t index, int quarterTurns) {
    for (int i = 0; i < quarterTurns; ++i)
        list.RotateEntry(index);
}
