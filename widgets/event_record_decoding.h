// Turning an event's name/value list into its record, and the record's results
// back into the host's values.
//
// Absent pairs take the record's defaults (0, false, -1 for item indexes). A
// value the host did not give is never written back. Canvases are not made
// here: the dispatcher wraps CanvasHandle itself, so it can release the wrapper.
#pragma once

#include "boundary/name_value_list.h"
#include "widgets/widget_event_records.h"

namespace rowshift {

MouseEventArgs DecodeMouseEvent(const NameValueList& list);
KeyEventArgs DecodeKeyEvent(const NameValueList& list);
PaintEventArgs DecodePaintEvent(const NameValueList& list);  // canvas left null
ListDrawItemArgs DecodeListDrawItem(const NameValueList& list);
TreeListDrawItemArgs DecodeTreeListDrawItem(const NameValueList& list);
MemoDrawItemArgs DecodeMemoDrawItem(const NameValueList& list);
DragOverArgs DecodeDragOver(const NameValueList& list);
DropFilesArgs DecodeDropFiles(const NameValueList& list);

// The "canvas" value is the host's canvas handle itself; null when absent.
void* CanvasHandle(const NameValueList& list);

// Stores true into the host's "finished" when `finished` is set and the host
// gave it; otherwise leaves it alone.
void ReportFinished(const NameValueList& list, bool finished);
// Writes x, y, width and height back into the host's ints that were given.
void ReportItemBounds(const NameValueList& list, int32_t x, int32_t y, int32_t width,
                      int32_t height);
// Copies `result` into the host's "result" bool, when given.
void ReportDragResult(const NameValueList& list, bool result);

}  // namespace rowshift
