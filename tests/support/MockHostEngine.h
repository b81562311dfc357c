#pragma once
// A GoogleMock host engine: every HostEngine member as a mock method. Use it to check the exact
// calls a library operation makes; use RecordingEngine to log a whole sequence, and the reference
// engine (src/engine) to check behaviour.
#include <gmock/gmock.h>

#include "HostEngine.h"

namespace ckw::test {

class MockHostEngine : public HostEngine {
public:
    MOCK_METHOD(void, HostSetUserCoords, (const float* record), (override));
    MOCK_METHOD(void, HostResetUserCoords, (), (override));
    MOCK_METHOD(void, HostGetUserCoords, (const int& which, float* record), (override));
    MOCK_METHOD(void, HostUseWorldCoords, (), (override));
    MOCK_METHOD(void, HostBeginDrawing, (), (override));
    MOCK_METHOD(void, HostSetPen, (const int& layer, const int& lineType, const int& widthCode, const int& colour, const int& mode), (override));
    MOCK_METHOD(void, HostSetTempColour, (const int& colour), (override));
    MOCK_METHOD(void, HostDrawLine, (const float& x1, const float& y1, const float& x2, const float& y2), (override));
    MOCK_METHOD(void, HostDrawPolyline, (const int& count, const float* xs, const float* ys), (override));
    MOCK_METHOD(void, HostDrawArc, (const float& cx, const float& cy, const float& radius, const float& startDegrees, const float& endDegrees), (override));
    MOCK_METHOD(void, HostDrawWidePolyline, (const int& count, const float* xs, const float* ys, const float* arcHeights, const float* widths, const float* endWidths, const float* elevations, const int& closed), (override));
    MOCK_METHOD(void, HostDrawFilledPolygon, (const int& count, const float* xs, const float* ys, const int& style, const int* styleData, const int& fillCode), (override));
    MOCK_METHOD(void, HostDrawText, (const char* text, const int& length, const float& x, const float& y, const float& charWidth, const float& charHeight, const int& hAlign, const int& vAlign, const float& angle), (override));
    MOCK_METHOD(void, HostLoadBlockFile, (const char* path, const int& length, const int& blockNumber, float* extents, int& error), (override));
    MOCK_METHOD(void, HostLoadBlockFileScaled, (const char* path, const int& length, const int& blockNumber, const float* basePoint, const float* transform, const char* blockName, const int& nameLength, float* extents, int& error), (override));
    MOCK_METHOD(void, HostQueryBlockNumber, (const int& blockNumber, int& count), (override));
    MOCK_METHOD(void, HostInsertBlock, (const int& blockNumber, const int& mode, const float* basePoint, const float* transform), (override));
    MOCK_METHOD(void, HostIntersectSegments, (const float& ax1, const float& ay1, const float& ax2, const float& ay2, const float& bx1, const float& by1, const float& bx2, const float& by2, const float& tolerance, float& x, float& y, int& onA, int& onB), (override));
    MOCK_METHOD(void, HostDefineLineType, (const int& number, const int& count, const float* values), (override));
    MOCK_METHOD(void, HostGetLineTypes, (int* counts, float* values), (override));
    MOCK_METHOD(void, HostRgbToColorIndex, (const int& rgb, int& colour), (override));
    MOCK_METHOD(void, HostColorIndexToRgb, (const int& colour, int& rgb), (override));
    MOCK_METHOD(void, HostPrompt, (const char* text, const int& length), (override));
    MOCK_METHOD(void, HostClearPrompt, (), (override));
    MOCK_METHOD(int, HostUserBreak, (), (override));
    MOCK_METHOD(void, HostTrackCursor, (float& x, float& y, int& key), (override));
    MOCK_METHOD(void, HostGetCursorPoint, (float& x, float& y, int& status), (override));
    MOCK_METHOD(void, HostSetRubberBand, (const int& on), (override));
    MOCK_METHOD(void, HostSetSnapGroup, (const int& group), (override));
    MOCK_METHOD(void, HostSetCursorMode, (const int& mode, const int& shape), (override));
    MOCK_METHOD(void, HostSelectEntities, (const int& filter), (override));
    MOCK_METHOD(void, HostSelectAllOfKind, (const int& filter, const int& kind), (override));
    MOCK_METHOD(void, HostGetSelectionCount, (int& count), (override));
    MOCK_METHOD(void, HostClearSelection, (), (override));
    MOCK_METHOD(void, HostNextSelected, (const int& scope, int& kind), (override));
    MOCK_METHOD(void, HostPickEntity, (float& x, float& y, int& kind, int& status), (override));
    MOCK_METHOD(void, HostFindEntityAt, (int& found, const float& x, const float& y, const float& tolerance, int& kind), (override));
    MOCK_METHOD(void, HostGetEntityId, (const int& which, int& id0, int& id1), (override));
    MOCK_METHOD(void, HostFindEntity, (const int& unit, const int& kind, const int& id0, const int& id1, int& found), (override));
    MOCK_METHOD(void, HostReadEntity, (int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength, const int& capacity), (override));
    MOCK_METHOD(void, HostReadSelectedEntity, (int& kind, int* attributes, float* values, int& valueCount, char* text, int& textLength, const int& capacity), (override));
    MOCK_METHOD(void, HostUpdateEntity, (const int& kind, const int* attributes, const float* values, const int& valueCount, const char* text, const int& textLength, const int& capacity, const int& flag, const int& writeMode, int& iFail), (override));
    MOCK_METHOD(void, HostSetEntityAttribute, (const int& which, const int& value), (override));
    MOCK_METHOD(void, HostRunEditCommand, (const int& command), (override));
    MOCK_METHOD(void, HostMoveSelection, (float& dx, float& dy, const int& mode), (override));
    MOCK_METHOD(void, HostGetXData, (int& count, int* words, const int& capacity), (override));
    MOCK_METHOD(int, HostSetXData, (const int& count, const int* words), (override));
    MOCK_METHOD(int, HostSetNewEntityXData, (const int& count, const int* words), (override));
    MOCK_METHOD(void, HostGetNewEntityXData, (int& count, int* words, const int& capacity), (override));
    MOCK_METHOD(int, HostCreateDrawingData, (const int& unit, const int& record, const int& length, const int& reserved), (override));
    MOCK_METHOD(int, HostResizeDrawingData, (const int& unit, const int& record, const int& length, const int& reserved), (override));
    MOCK_METHOD(void, HostGetDrawingDataSize, (const int& unit, const int& record, int& length, const int& reserved), (override));
    MOCK_METHOD(int, HostSeekDrawingData, (const int& unit, const int& record, const int& position, const int& reserved), (override));
    MOCK_METHOD(int, HostReadDrawingData, (const int& unit, const int& record, int* words, const int& count, const int& reserved), (override));
    MOCK_METHOD(int, HostWriteDrawingData, (const int& unit, const int& record, const int* words, const int& count, const int& reserved), (override));
    MOCK_METHOD(void, HostGetCurrentDrawing, (int& unit), (override));
    MOCK_METHOD(void, HostGetDrawingFileName, (const int& unit, char* buffer, const int& capacity, int& length), (override));
    MOCK_METHOD(int, HostOpenDrawing, (const int& unit, const char* path, const int& capacity, const int& length), (override));
    MOCK_METHOD(void, HostCloseDrawing, (const int& unit), (override));
    MOCK_METHOD(int, HostOpenDrawingFile, (const int& unit, const char* path, const int& capacity, const int& length), (override));
    MOCK_METHOD(void, HostCloseDrawingFile, (const int& unit), (override));
    MOCK_METHOD(void, HostSelectDrawing, (const int& unit), (override));
    MOCK_METHOD(void, HostSaveDrawingState, (const int& unit), (override));
    MOCK_METHOD(void, HostShowDrawing, (), (override));
    MOCK_METHOD(void, HostRedraw, (), (override));
    MOCK_METHOD(void, HostRegen, (), (override));
    MOCK_METHOD(void, HostRefreshAll, (), (override));
    MOCK_METHOD(void, HostSetDrawingName, (const int& which, const char* name, const int& length), (override));
    MOCK_METHOD(void, HostFileDialog, (const char* pattern, const int& patternCapacity, char* path, const int& pathCapacity, int& length), (override));
    MOCK_METHOD(void, HostBeginLayerTable, (const int& unit), (override));
    MOCK_METHOD(void, HostGetLayerCount, (int& count), (override));
    MOCK_METHOD(void, HostGetLayerEntry, (const int& index, int& layer, int& flag), (override));
    MOCK_METHOD(void, HostGetLayerEntryName, (const int& index, char* buffer, const int& capacity, int& length), (override));
    MOCK_METHOD(void, HostGetLayerName, (const int& unit, const int& layer, char* buffer, const int& capacity, int& length), (override));
    MOCK_METHOD(void, HostPickPoint, (float* record, int& status), (override));
    MOCK_METHOD(void, HostCopyEntityToCurrent, (const int& kind), (override));
    MOCK_METHOD(void, HostRewriteEntityBuffers, (const int& kind, const int* attributes, const float* values, const int& valueCount, const char* text, const int& textLength), (override));};

// Points m_pCfg at an engine for the lifetime of the object and restores the previous one.
class ScopedHostEngine {
public:
    explicit ScopedHostEngine(HostEngine* engine) : m_previous(m_pCfg) { m_pCfg = engine; }
    ~ScopedHostEngine() { m_pCfg = m_previous; }
    ScopedHostEngine(const ScopedHostEngine&) = delete;
    ScopedHostEngine& operator=(const ScopedHostEngine&) = delete;

private:
    HostEngine* m_previous;
};

}  // namespace ckw::test
