#pragma once
// A host engine that logs every call with its input arguments, in order, and passes it on to an
// inner engine (for instance the reference engine) when one is given. Without an inner engine
// outputs are zero and every interaction answers [Esc], so no command loops forever.
//
// A logged call reads like: HostDrawLine(0, 0, 84100, 0). Floats print in their shortest exact
// form, arrays as [a b c], texts as "..." with their bytes unchanged (GBK).
#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "HostEngine.h"

namespace ckw::test {

class RecordingEngine : public HostEngine {
public:
    explicit RecordingEngine(HostEngine* inner = nullptr) : m_inner(inner) {}

    const std::vector<std::string>& Calls() const { return m_calls; }
    // The logged calls of one member, e.g. CallsOf("HostDefineLineType").
    std::vector<std::string> CallsOf(std::string_view name) const {
        std::vector<std::string> found;
        for (const auto& call : m_calls)
            if (call.size() > name.size() && call.compare(0, name.size(), name) == 0 && call[name.size()] == '(')
                found.push_back(call);
        return found;
    }
    // Only the member names, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& call : m_calls) names.push_back(call.substr(0, call.find('(')));
        return names;
    }
    void Clear() { m_calls.clear(); }
    // Result of the int members when there is no inner engine.
    void SetAnswer(int answer) { m_answer = answer; }

    static std::string Value(int v) { return std::to_string(v); }
    static std::string Value(float v) {
        char buffer[32];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
        return std::string(buffer, end);
    }
    template <class T>
    static std::string List(const T* values, int count) {
        std::string s = "[";
        for (int i = 0; values && i < count; ++i) s += (i ? " " : "") + Value(values[i]);
        return s + "]";
    }
    static std::string Text(const char* text, int length) {
        return "\"" + (text && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string()) + "\"";
    }
    // A NUL-terminated text read within capacity.
    static std::string CText(const char* text, int capacity) {
        int length = 0;
        while (text && length < capacity && text[length]) ++length;
        return Text(text, length);
    }

    void HostSetUserCoords(const float* record) override {
        Log("HostSetUserCoords", {List(record, 9)});
        if (m_inner) m_inner->HostSetUserCoords(record);
    }

    void HostResetUserCoords() override {
        Log("HostResetUserCoords", {});
        if (m_inner) m_inner->HostResetUserCoords();
    }

    void HostGetUserCoords(const int& which, float* record) override {
        Log("HostGetUserCoords", {Value(which)});
        if (m_inner) m_inner->HostGetUserCoords(which, record);
    }

    void HostUseWorldCoords() override {
        Log("HostUseWorldCoords", {});
        if (m_inner) m_inner->HostUseWorldCoords();
    }

    void HostBeginDrawing() override {
        Log("HostBeginDrawing", {});
        if (m_inner) m_inner->HostBeginDrawing();
    }

    void HostSetPen(const int& layer, const int& lineType, const int& widthCode, const int& colour, const int& mode) override {
        Log("HostSetPen", {Value(layer), Value(lineType), Value(widthCode), Value(colour), Value(mode)});
        if (m_inner) m_inner->HostSetPen(layer, lineType, widthCode, colour, mode);
    }

    void HostSetTempColour(const int& colour) override {
        Log("HostSetTempColour", {Value(colour)});
        if (m_inner) m_inner->HostSetTempColour(colour);
    }

    void HostDrawLine(const float& x1, const float& y1, const float& x2, const float& y2) override {
        Log("HostDrawLine", {Value(x1), Value(y1), Value(x2), Value(y2)});
        if (m_inner) m_inner->HostDrawLine(x1, y1, x2, y2);
    }

    void HostDrawPolyline(const int& count, const float* xs, const float* ys) override {
        Log("HostDrawPolyline", {Value(count), List(xs, count), List(ys, count)});
        if (m_inner) m_inner->HostDrawPolyline(count, xs, ys);
    }

    void HostDrawArc(const float& cx, const float& cy, const float& radius, const float& startDegrees, const float& endDegrees) override {
        Log("HostDrawArc", {Value(cx), Value(cy), Value(radius), Value(startDegrees), Value(endDegrees)});
        if (m_inner) m_inner->HostDrawArc(cx, cy, radius, startDegrees, endDegrees);
    }

    void HostDrawWidePolyline(const int& count, const float* xs, const float* ys, const float* arcHeights, const float* widths, const float* endWidths, const float* elevations, const int& closed) override {
        Log("HostDrawWidePolyline", {Value(count), List(xs, count), List(ys, count), List(arcHeights, count), List(widths, count), List(endWidths, count), List(elevations, count), Value(closed)});
        if (m_inner) m_inner->HostDrawWidePolyline(count, xs, ys, arcHeights, widths, endWidths, elevations, closed);
    }

    void HostDrawFilledPolygon(const int& count, const float* xs, const float* ys, const int& style, const int* styleData, const int& fillCode) override {
        Log("HostDrawFilledPolygon", {Value(count), List(xs, count), List(ys, count), Value(style), List(styleData, 10), Value(fillCode)});
        if (m_inner) m_inner->HostDrawFilledPolygon(count, xs, ys, style, styleData, fillCode);
    }

    void HostDrawText(const char* text, const int& length, const float& x, const float& y, const float& charWidth, const float& charHeight, const int& hAlign, const int& vAlign, const float& angle) override {
        Log("HostDrawText", {Text(text, length), Value(length), Value(x), Value(y), Value(charWidth), Value(charHeight), Value(hAlign), Value(vAlign), Value(angle)});
        if (m_inner) m_inner->HostDrawText(text, length, x, y, charWidth, charHeight, hAlign, vAlign, angle);
    }

    void HostLoadBlockFile(const char* path, const int& length, const int& blockNumber, float* extents, int& error) override {
        Log("HostLoadBlockFile", {Text(path, length), Value(length), Value(blockNumber)});
        if (m_inner) {
            m_inner->HostLoadBlockFile(path, length, blockNumber, extents, error);
        } else {
            error = 1;
        }
    }

    void HostLoadBlockFileScaled(const char* path, const int& length, const int& blockNumber, const float* basePoint, const float* transform, const char* blockName, const int& nameLength, float* extents, int& error) override {
        Log("HostLoadBlockFileScaled", {Text(path, length), Value(length), Value(blockNumber), List(basePoint, 3), List(transform, 9), Text(blockName, nameLength), Value(nameLength)});
        if (m_inner) {
            m_inner->HostLoadBlockFileScaled(path, length, blockNumber, basePoint, transform, blockName, nameLength, extents, error);
        } else {
            error = 1;
        }
    }

    void HostQueryBlockNumber(const int& blockNumber, int& count) override {
        Log("HostQueryBlockNumber", {Value(blockNumber)});
        if (m_inner) {
            m_inner->HostQueryBlockNumber(blockNumber, count);
        } else {
            count = 0;
        }
    }

    void HostInsertBlock(const int& blockNumber, const int& mode, const float* basePoint, const float* transform) override {
        Log("HostInsertBlock", {Value(blockNumber), Value(mode), List(basePoint, 3), List(transform, 9)});
        if (m_inner) m_inner->HostInsertBlock(blockNumber, mode, basePoint, transform);
    }

    void HostIntersectSegments(const float& ax1, const float& ay1, const float& ax2, const float& ay2, const float& bx1, const float& by1, const float& bx2, const float& by2, const float& tolerance, float& x, float& y, int& onA, int& onB) override {
        Log("HostIntersectSegments", {Value(ax1), Value(ay1), Value(ax2), Value(ay2), Value(bx1), Value(by1), Value(bx2), Value(by2), Value(tolerance)});
        if (m_inner) {
            m_inner->HostIntersectSegments(ax1, ay1, ax2, ay2, bx1, by1, bx2, by2, tolerance, x, y, onA, onB);
        } else {
            x = 0; y = 0; onA = 0; onB = 0;
        }
    }

    void HostDefineLineType(const int& number, const int& count, const float* values) override {
        Log("HostDefineLineType", {Value(number), Value(count), List(values, count)});
        if (m_inner) m_inner->HostDefineLineType(number, count, values);
    }

    void HostGetLineTypes(int* counts, float* values) override {
        Log("HostGetLineTypes", {});
        if (m_inner) m_inner->HostGetLineTypes(counts, values);
    }

    void HostRgbToColorIndex(const int& rgb, int& colour) override {
        Log("HostRgbToColorIndex", {Value(rgb)});
        if (m_inner) {
            m_inner->HostRgbToColorIndex(rgb, colour);
        } else {
            colour = 0;
        }
    }

    void HostColorIndexToRgb(const int& colour, int& rgb) override {
        Log("HostColorIndexToRgb", {Value(colour)});
        if (m_inner) {
            m_inner->HostColorIndexToRgb(colour, rgb);
        } else {
            rgb = 0;
        }
    }

    void HostPrompt(const char* text, const int& length) override {
        Log("HostPrompt", {Text(text, length), Value(length)});
        if (m_inner) m_inner->HostPrompt(text, length);
    }

    void HostClearPrompt() override {
        Log("HostClearPrompt", {});
        if (m_inner) m_inner->HostClearPrompt();
    }

    int HostUserBreak() override {
        Log("HostUserBreak", {});
        return m_inner ? m_inner->HostUserBreak() : m_answer;
    }

    void HostTrackCursor(float& x, float& y, int& key) override {
        Log("HostTrackCursor", {});
        if (m_inner) {
            m_inner->HostTrackCursor(x, y, key);
        } else {
            x = 0; y = 0; key = 1;
        }
    }

    void HostGetCursorPoint(float& x, float& y, int& status) override {
        Log("HostGetCursorPoint", {});
        if (m_inner) {
            m_inner->HostGetCursorPoint(x, y, status);
        } else {
            x = 0; y = 0; status = 1;
        }
    }

    void HostSetRubberBand(const int& on) override {
        Log("HostSetRubberBand", {Value(on)});
        if (m_inner) m_inner->HostSetRubberBand(on);
    }

    void HostSetSnapGroup(const int& group) override {
        Log("HostSetSnapGroup", {Value(group)});
        if (m_inner) m_inner->HostSetSnapGroup(group);
    }

    void HostSetCursorMode(const int& mode, const int& shape) override {
        Log("HostSetCursorMode", {Value(mode), Value(shape)});
        if (m_inner) m_inner->HostSetCursorMode(mode, shape);
    }

    void HostSelectEntities(const int& filter) override {
        Log("HostSelectEntities", {Value(filter)});
        if (m_inner) m_inner->HostSelectEntities(filter);
    }

    void HostSelectAllOfKind(const int& filter, const int& kind) override {
        Log("HostSelectAllOfKind", {Value(filter), Value(kind)});
        if (m_inner) m_inner->HostSelectAllOfKind(filter, kind);
    }

    void HostGetSelectionCount(int& count) override {
        Log("HostGetSelectionCount", {});
        if (m_inner) {
            m_inner->HostGetSelectionCount(count);
        } else {
            count = 0;
        }
    }

    void HostClearSelection() override {
        Log("HostClearSelection", {});
        if (m_inner) m_inner->HostClearSelection();
    }

    void HostNextSelected(const int& scope, int& kind) override {
        Log("HostNextSelected", {Value(scope)});
        if (m_inner) {
            m_inner->HostNextSelected(scope, kind);
        } else {
            kind = 0;
        }
    }

    void HostPickEntity(float& x, float& y, int& kind, int& status) override {
        Log("HostPickEntity", {});
        if (m_inner) {
            m_inner->HostPickEntity(x, y, kind, status);
        } else {
            x = 0; y = 0; kind = 0; status = 1;
        }
    }

    void HostFindEntityAt(int& found, const float& x, const float& y, const float& tolerance, int& kind) override {
        Log("HostFindEntityAt", {Value(x), Value(y), Value(tolerance)});
        if (m_inner) {
            m_inner->HostFindEntityAt(found, x, y, tolerance, kind);
        } else {
            found = 0; kind = 0;
        }
    }

    void HostGetEntityId(const int& which, int& id0, int& id1) override {
        Log("HostGetEntityId", {Value(which)});
        if (m_inner) {
            m_inner->HostGetEntityId(which, id0, id1);
        } else {
            id0 = 0; id1 = 0;
        }
    }

    void HostFindEntity(const int& unit, const int& kind, const int& id0, const int& id1, int& found) override {
        Log("HostFindEntity", {Value(unit), Value(kind), Value(id0), Value(id1)});
        if (m_inner) {
            m_inner->HostFindEntity(unit, kind, id0, id1, found);
        } else {
            found = 0;
        }
    }

    void HostReadEntity(int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength, const int& capacity) override {
        Log("HostReadEntity", {Value(capacity)});
        if (m_inner) {
            m_inner->HostReadEntity(kind, attributes, values, valueCount, text, textLength, capacity);
        } else {
            kind = -1; valueCount = 0; textLength = 0;
        }
    }

    void HostReadSelectedEntity(int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength, const int& capacity) override {
        Log("HostReadSelectedEntity", {Value(capacity)});
        if (m_inner) {
            m_inner->HostReadSelectedEntity(kind, attributes, values, valueCount, text, textLength, capacity);
        } else {
            kind = -1; valueCount = 0; textLength = 0;
        }
    }

    void HostUpdateEntity(const int& kind, const int* attributes, const float* values, const int& valueCount, const char* text, const int& textLength, const int& capacity, const int& flag, const int& writeMode, int& iFail) override {
        Log("HostUpdateEntity", {Value(kind), List(attributes, kHostAttributeCount), List(values, valueCount), Value(valueCount), Text(text, textLength), Value(textLength), Value(capacity), Value(flag), Value(writeMode)});
        if (m_inner) {
            m_inner->HostUpdateEntity(kind, attributes, values, valueCount, text, textLength, capacity, flag, writeMode, iFail);
        } else {
            iFail = 0;
        }
    }

    void HostSetEntityAttribute(const int& which, const int& value) override {
        Log("HostSetEntityAttribute", {Value(which), Value(value)});
        if (m_inner) m_inner->HostSetEntityAttribute(which, value);
    }

    void HostRunEditCommand(const int& command) override {
        Log("HostRunEditCommand", {Value(command)});
        if (m_inner) m_inner->HostRunEditCommand(command);
    }

    void HostMoveSelection(float& dx, float& dy, const int& mode) override {
        Log("HostMoveSelection", {Value(mode)});
        if (m_inner) {
            m_inner->HostMoveSelection(dx, dy, mode);
        } else {
            dx = 0; dy = 0;
        }
    }

    void HostGetXData(int& count, int* words, const int& capacity) override {
        Log("HostGetXData", {Value(capacity)});
        if (m_inner) {
            m_inner->HostGetXData(count, words, capacity);
        } else {
            count = 0;
        }
    }

    int HostSetXData(const int& count, const int* words) override {
        Log("HostSetXData", {Value(count), List(words, count)});
        return m_inner ? m_inner->HostSetXData(count, words) : m_answer;
    }

    int HostSetNewEntityXData(const int& count, const int* words) override {
        Log("HostSetNewEntityXData", {Value(count), List(words, count)});
        return m_inner ? m_inner->HostSetNewEntityXData(count, words) : m_answer;
    }

    void HostGetNewEntityXData(int& count, int* words, const int& capacity) override {
        Log("HostGetNewEntityXData", {Value(capacity)});
        if (m_inner) {
            m_inner->HostGetNewEntityXData(count, words, capacity);
        } else {
            count = 0;
        }
    }

    int HostCreateDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override {
        Log("HostCreateDrawingData", {Value(unit), Value(record), Value(length), Value(reserved)});
        return m_inner ? m_inner->HostCreateDrawingData(unit, record, length, reserved) : m_answer;
    }

    int HostResizeDrawingData(const int& unit, const int& record, const int& length, const int& reserved) override {
        Log("HostResizeDrawingData", {Value(unit), Value(record), Value(length), Value(reserved)});
        return m_inner ? m_inner->HostResizeDrawingData(unit, record, length, reserved) : m_answer;
    }

    void HostGetDrawingDataSize(const int& unit, const int& record, int& length, const int& reserved) override {
        Log("HostGetDrawingDataSize", {Value(unit), Value(record), Value(reserved)});
        if (m_inner) {
            m_inner->HostGetDrawingDataSize(unit, record, length, reserved);
        } else {
            length = 0;
        }
    }

    int HostSeekDrawingData(const int& unit, const int& record, const int& position, const int& reserved) override {
        Log("HostSeekDrawingData", {Value(unit), Value(record), Value(position), Value(reserved)});
        return m_inner ? m_inner->HostSeekDrawingData(unit, record, position, reserved) : m_answer;
    }

    int HostReadDrawingData(const int& unit, const int& record, int* words, const int& count, const int& reserved) override {
        Log("HostReadDrawingData", {Value(unit), Value(record), Value(count), Value(reserved)});
        return m_inner ? m_inner->HostReadDrawingData(unit, record, words, count, reserved) : m_answer;
    }

    int HostWriteDrawingData(const int& unit, const int& record, const int* words, const int& count, const int& reserved) override {
        Log("HostWriteDrawingData", {Value(unit), Value(record), List(words, count), Value(count), Value(reserved)});
        return m_inner ? m_inner->HostWriteDrawingData(unit, record, words, count, reserved) : m_answer;
    }

    void HostGetCurrentDrawing(int& unit) override {
        Log("HostGetCurrentDrawing", {});
        if (m_inner) {
            m_inner->HostGetCurrentDrawing(unit);
        } else {
            unit = 0;
        }
    }

    void HostGetDrawingFileName(const int& unit, char* buffer, const int& capacity, int& length) override {
        Log("HostGetDrawingFileName", {Value(unit), Value(capacity)});
        if (m_inner) {
            m_inner->HostGetDrawingFileName(unit, buffer, capacity, length);
        } else {
            length = 0;
        }
    }

    int HostOpenDrawing(const int& unit, const char* path, const int& capacity, const int& length) override {
        Log("HostOpenDrawing", {Value(unit), Text(path, length), Value(capacity), Value(length)});
        return m_inner ? m_inner->HostOpenDrawing(unit, path, capacity, length) : m_answer;
    }

    void HostCloseDrawing(const int& unit) override {
        Log("HostCloseDrawing", {Value(unit)});
        if (m_inner) m_inner->HostCloseDrawing(unit);
    }

    int HostOpenDrawingFile(const int& unit, const char* path, const int& capacity, const int& length) override {
        Log("HostOpenDrawingFile", {Value(unit), Text(path, length), Value(capacity), Value(length)});
        return m_inner ? m_inner->HostOpenDrawingFile(unit, path, capacity, length) : m_answer;
    }

    void HostCloseDrawingFile(const int& unit) override {
        Log("HostCloseDrawingFile", {Value(unit)});
        if (m_inner) m_inner->HostCloseDrawingFile(unit);
    }

    void HostSelectDrawing(const int& unit) override {
        Log("HostSelectDrawing", {Value(unit)});
        if (m_inner) m_inner->HostSelectDrawing(unit);
    }

    void HostSaveDrawingState(const int& unit) override {
        Log("HostSaveDrawingState", {Value(unit)});
        if (m_inner) m_inner->HostSaveDrawingState(unit);
    }

    void HostShowDrawing() override {
        Log("HostShowDrawing", {});
        if (m_inner) m_inner->HostShowDrawing();
    }

    void HostRedraw() override {
        Log("HostRedraw", {});
        if (m_inner) m_inner->HostRedraw();
    }

    void HostRegen() override {
        Log("HostRegen", {});
        if (m_inner) m_inner->HostRegen();
    }

    void HostRefreshAll() override {
        Log("HostRefreshAll", {});
        if (m_inner) m_inner->HostRefreshAll();
    }

    void HostSetDrawingName(const int& which, const char* name, const int& length) override {
        Log("HostSetDrawingName", {Value(which), Text(name, length), Value(length)});
        if (m_inner) m_inner->HostSetDrawingName(which, name, length);
    }

    void HostFileDialog(const char* pattern, const int& patternCapacity, char* path, const int& pathCapacity, int& length) override {
        Log("HostFileDialog", {CText(pattern, patternCapacity), Value(patternCapacity), CText(path, pathCapacity), Value(pathCapacity)});
        if (m_inner) {
            m_inner->HostFileDialog(pattern, patternCapacity, path, pathCapacity, length);
        } else {
            length = 0;
        }
    }

    void HostBeginLayerTable(const int& unit) override {
        Log("HostBeginLayerTable", {Value(unit)});
        if (m_inner) m_inner->HostBeginLayerTable(unit);
    }

    void HostGetLayerCount(int& count) override {
        Log("HostGetLayerCount", {});
        if (m_inner) {
            m_inner->HostGetLayerCount(count);
        } else {
            count = 0;
        }
    }

    void HostGetLayerEntry(const int& index, int& layer, int& flag) override {
        Log("HostGetLayerEntry", {Value(index)});
        if (m_inner) {
            m_inner->HostGetLayerEntry(index, layer, flag);
        } else {
            layer = 0; flag = 0;
        }
    }

    void HostGetLayerEntryName(const int& index, char* buffer, const int& capacity, int& length) override {
        Log("HostGetLayerEntryName", {Value(index), Value(capacity)});
        if (m_inner) {
            m_inner->HostGetLayerEntryName(index, buffer, capacity, length);
        } else {
            length = -1;
        }
    }

    void HostGetLayerName(const int& unit, const int& layer, char* buffer, const int& capacity, int& length) override {
        Log("HostGetLayerName", {Value(unit), Value(layer), Value(capacity)});
        if (m_inner) {
            m_inner->HostGetLayerName(unit, layer, buffer, capacity, length);
        } else {
            length = 0;
        }
    }

    void HostPickPoint(float* record, int& status) override {
        Log("HostPickPoint", {});
        if (m_inner) {
            m_inner->HostPickPoint(record, status);
        } else {
            status = 1;
        }
    }

    void HostCopyEntityToCurrent(const int& kind) override {
        Log("HostCopyEntityToCurrent", {Value(kind)});
        if (m_inner) m_inner->HostCopyEntityToCurrent(kind);
    }

    void HostRewriteEntityBuffers(const int& kind, const int* attributes, const float* values, const int& valueCount, const char* text, const int& textLength) override {
        Log("HostRewriteEntityBuffers", {Value(kind), List(attributes, kHostAttributeCount), List(values, valueCount), Value(valueCount), Text(text, textLength), Value(textLength)});
        if (m_inner) m_inner->HostRewriteEntityBuffers(kind, attributes, values, valueCount, text, textLength);
    }

private:
    void Log(std::string_view name, std::initializer_list<std::string> args) {
        std::string call(name);
        call += '(';
        bool first = true;
        for (const auto& a : args) {
            if (!first) call += ", ";
            call += a;
            first = false;
        }
        m_calls.push_back(call + ')');
    }

    HostEngine* m_inner;
    int m_answer = 1;
    std::vector<std::string> m_calls;
};

}  // namespace ckw::test
