#pragma once
/// @file
/// CUtil, the exported utility class.
#include "CArray.h"
#include "CString.h"
#include "CkwExport.h"
#include "KeloPoint2d.h"
#include "KeloPoint3d.h"

/// @addtogroup geometry
/// @{

/// The exported utility class: configuration path, geometry, sections, frames, tables (see also
/// @ref sheets). Create one on the stack, call an operation, let it go. Angles are radians,
/// anticlockwise from +x, unless a name says degrees; operations taking float arguments compute in
/// double and store floats. The drawing operations draw through m_pCfg and do nothing without one.
class CKW_API CUtil {
public:
    CUtil();                               ///< stirrup-spacing sign "@"
    CUtil(const CUtil& other);             ///< a copy
    CUtil& operator=(const CUtil& other);  ///< copies other
    virtual ~CUtil();                      ///< nothing to release

    /// Writes the suite's configuration directory into dir (room for 260 bytes); 1 = found.
    static int GetKeloCfgPath(char* dir);

    /// @name Comparison, swapping, simple geometry
    /// @{

    /// True when |a - b| < tol (strictly).
    bool EQU_COMP(const double& a, const double& b, const double& tol);
    void Swap(float& a, float& b);              ///< exchanges a and b
    void Swap(int& a, int& b);                  ///< exchanges a and b
    void Swap(KeloPoint2d& a, KeloPoint2d& b);  ///< exchanges a and b
    /// The point dist away from (x, y) in the direction angle.
    void DIST(float x, float y, float angle, float dist, float& outX, float& outY);
    /// The distance from a to b.
    double kw_Distance(KeloPoint2d a, KeloPoint2d b);
    /// Direction from a to b in (-pi, pi].
    double kw_Angle(KeloPoint2d a, KeloPoint2d b);
    /// The point dist away from base in the direction angle.
    void kw_polar(KeloPoint2d base, float angle, float dist, KeloPoint2d& out);
    void kw_polar(KeloPoint3d base, float angle, float dist, KeloPoint3d& out);  ///< keeps base.z
    /// Unit vector of a x b; parallel vectors give non-finite values.
    void unit_cross_mul(double* a, double* b, double* out);

    /// @}

    /// @name Drawing through the host engine
    /// @{

    /// A line from a to b with the current pen.
    void kw_Line(KeloPoint2d a, KeloPoint2d b);
    /// Draws relative to origin at the given scale until the caller resets the user coordinates.
    void kw_MyUsercs(KeloPoint2d origin, float scale);
    /// The host's intersection of segments a1-a2 and b1-b2; the flags are the host's.
    void kw_Inters(KeloPoint2d a1, KeloPoint2d a2, KeloPoint2d b1, KeloPoint2d b2, float tol, KeloPoint2d& out,
                   int& flag1, int& flag2);
    /// The break-line symbol between p1 and p2 (a zigzag overrunning both ends); the float is unused.
    void kw_BreakLine(KeloPoint2d p1, KeloPoint2d p2, float unused);

    /// @}

    /// @name 3-D helpers
    /// @{

    /// Moves each end len towards the other (a negative len lengthens the segment); p1 = p2 is not
    /// guarded and gives non-finite values.
    void Get3dLineExtendPoint(KeloPoint3d p1, KeloPoint3d p2, float len, KeloPoint3d& e1, KeloPoint3d& e2);
    /// Angles of the line with the x, y and z axes, for the line's direction whose first non-zero
    /// component is positive.
    void Get3dLineAngle(KeloPoint3d p1, KeloPoint3d p2, float angles[3]);
    /// Angle between the lines p1-p2 and p2-p3, folded into [0, pi/2].
    float Get3pPolyLineAngle(KeloPoint3d p1, KeloPoint3d p2, KeloPoint3d p3);
    /// A frame whose third axis is the direction p1->p2, turned by angle about it: rows of m are the
    /// axes when transpose is 0, columns otherwise. p1 = p2 gives the identity.
    void GetRotateMatrix(double x1, double y1, double z1, double x2, double y2, double z2, double angle, double m[3][3],
                         int transpose);
    /// The same with the points as values.
    void GetRotateMatrix(const KeloPoint3d& p1, const KeloPoint3d& p2, double angle, double m[3][3], int transpose);

    /// @}

    /// @name Lists and strings
    /// @{
    void Sort(int n, int* values);                  ///< sorts the first n values, ascending
    void Sort(int n, float* values);                ///< sorts the first n values, ascending
    void QuickSort(int* values, int lo, int hi);    ///< sorts values[lo..hi], ascending
    void QuickSort(float* values, int lo, int hi);  ///< sorts values[lo..hi], ascending
    /// Integers separated by commas or blanks: "1,,2" gives 1, 0, 2. values must have room for every
    /// number in the text; prefer the bounded form.
    void StringToNum(char* text, int* values, int& count);
    /// Stores at most capacity numbers; returns 0 when the text held more (count = capacity), else 1.
    int StringToNum(const char* text, int* values, int& count, int capacity);
    /// Bar-grade characters of the drawing font to letters: 0x82 A, 0x83 B, 0x84 C, 0x86 D, 0x85 E,
    /// 0x87 F. out needs text.GetLength() + 1 bytes; prefer the bounded form.
    void DimStringToAbcString(CString& text, char* out);
    /// Letters (either case) to bar-grade characters, "\b" kept as the font escape, "@" and "-" to the
    /// hoop-spacing symbol. out needs text.GetLength() + 1 bytes; prefer the bounded form.
    void AbcStringToDimString(CString& text, char* out);
    /// Bounded forms: write at most outSize bytes (NUL included); 0 when the result had to be cut.
    int DimStringToAbcString(const CString& text, char* out, int outSize);
    int AbcStringToDimString(const CString& text, char* out, int outSize);  ///< bounded form
    /// The stirrup-spacing sign written by AbcStringToDimString: "@" (the default) or "-".
    void SetHoopDistStr(const char* symbol);

    /// @}

    /// @name Section outlines (corner points only; the caller draws them)
    /// @{

    /// d holds the section's dimensions; xs and ys receive the points in outline order.
    void HSHAPE(float x, float y, float angle, float* d, float* xs, float* ys);  ///< 12 points
    void CSHAPE(float x, float y, float angle, float* d, float* xs, float* ys);  ///< 8 points
    void XSHAPE(float x, float y, float angle, float* d, float* xs, float* ys);  ///< 12 points
    void OSHAPE(float x, float y, float angle, float* d, float* xs, float* ys);  ///< 4 outer + 4 inner
    void TSHAPE(float x, float y, float angle, float* d, float& X0, float& X1, float& X2, float& X3, float& X4,
                float& X5, float& X6, float& X7, float& Y0, float& Y1, float& Y2, float& Y3, float& Y4, float& Y5,
                float& Y6, float& Y7);                                            ///< 8 points
    void T4SHAPE(float x, float y, float angle, float* d, float* xs, float* ys);  ///< 28 points
    void ASHAPE(float x, float y, float angle, float* d, float* xs, float* ys);   ///< 4 points

    /// @}

    /// @name Entity-making helpers (current layer, colour and line type)
    /// @{

    /// A line from a to b.
    void MakeLine(KeloPoint2d a, KeloPoint2d b);
    /// Arc anticlockwise from start to the direction of end; radius from the start point.
    void MakeArc(KeloPoint2d center, KeloPoint2d start, KeloPoint2d end);
    /// Filled polygon: fill != 0 selects fill code 31, 0 selects 32. An empty array draws nothing.
    void MakePolyFh(CArray<KeloPoint2d, KeloPoint2d&>& points, int fill);
    /// Two-vertex wide polyline whose segment is the minor arc's height over the chord start-end.
    void MakeArcPline(KeloPoint2d center, KeloPoint2d start, KeloPoint2d end, float width);
    /// A polyline through the points of the given width, closed when closed is not 0.
    void MakePline(CArray<KeloPoint2d, KeloPoint2d&>& points, float width, int closed);

    /// @}

    /// @name Sheet frames and title blocks
    /// @{

    /// Paper size in millimetres of sheet 0..4 (length is the long side); other numbers give sheet 1.
    void GetDrawingSize(int sheet, float& length, float& width);
    /// The sheet frame with origin at the paper's lower-left corner: inner border, paper edge and
    /// centring marks on the frame layer "图框"; withBlocks 1 adds the title block (block 998) and
    /// the countersign block "HQL.T" (block 997). orientation 0 landscape (binding side on the left),
    /// 1 portrait (binding side at the top). Title block "BTL.T" unless titleFile is given.
    void DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                  int& withBlocks);
    /// The same with the title block titleFile.
    void DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                  int& withBlocks, const char* titleFile);
    /// The four lengths are millimetres of paper, multiplied by scale here; the inner border gets
    /// four times the layer's width and the blocks are placed at the scale.
    void DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                  int& withBlocks, const char* titleFile, float& scale);
    /// Loads a block file (a name without directory is looked for in the configuration directory)
    /// and inserts it so that its corner (xSide 1: right, else left; ySide -1: bottom, else top)
    /// lands on corner; rotate non-zero turns it by -90 degrees.
    void ZDRWBTL(CString file, int blockNumber, KeloPoint2d corner, int xSide, int ySide, int rotate);
    /// The same at a scale, under the first block number from blockNumber upwards not in use.
    void ZDRWBTL(CString file, int blockNumber, KeloPoint2d corner, int xSide, int ySide, int rotate, float scale);
    /// Rubber-band box following the cursor until a point, [Esc] or [TAB] ends it (an interruption
    /// ends it as [Esc]). Anchors: xAnchor 1 cursor on the right edge, 2 centred, else left edge;
    /// yAnchor 2 centred, 3 cursor on the top edge, else bottom edge. angle in radians.
    void kwDragBox(float& x, float& y, float& boxWidth, float& boxHeight, float& angle, int& xAnchor, int& yAnchor,
                   int& key);
    /// Lets the user place a frame of the sheet with the cursor ([TAB] opens the frame settings,
    /// [Esc] gives up) and draws it at the scale. A positive length or width replaces that side of
    /// the standard paper (millimetres).
    void DragDrawingFrame(int sheet, float length, float width, int orientation, float scale, int withBlocks);

    /// @}

    /// @name Floor elevation table
    /// @{

    /// Lets the user place the table of floors (elevations in metres, storey heights in millimetres,
    /// floor 1 first) with the roof on top, and draws it at the scale (1 in paper-space drawings).
    void kwDrawFloorTable(float scale, int floorCount, float* elevations, float* heights);

    /// @}

    /// @name User tables
    /// @{

    /// The table designer "用户表格设计" on "TableData1.TDB" in the configuration directory; on
    /// OK the table is saved and placed with the cursor by its top-left corner ("请选择表格的插入
    /// 点") at the drawing scale (1 in paper-space drawings). 1 = drawn, 0 = cancelled.
    int UserTableDesign();
    /// @}

private:
    CString m_hoopDistStr;
};

/// @}
