// The random skirmish map: relief, lakes, obstacle blocks and ten groups of children.
#pragma once

class CMap;

// A place where a group or a unit may stand: inside the map with a margin, and the nine cells
// around it bare or snowy ground without yellow snow.
bool IsGoodSpot(const CMap& map, float x, float y);

class CObjectList;

// A lake is an ellipse with foci A and B; cells whose distances to both sum to at most size join.
struct CLakeShape {
    float ax, ay, bx, by, size;
    int kind; // ice or water
};
// A block of obstacles of half sizes hx, hy around a cell.
struct CBlockShape {
    int cx, cy, hx, hy;
};

// The random values of one lake or block, drawn in their fixed order, and their painting.
CLakeShape DrawLake(const CMap& map);
void PaintLake(CMap& map, const CLakeShape& lake);
CBlockShape DrawBlock(const CMap& map);
void PaintBlock(CMap& map, const CBlockShape& block);

// Places the ten groups (the first for the player); false when some group found no place after
// the bounded searches, and the terrain has to be made again. The first group's centre is
// returned for the camera.
bool PlaceGroups(const CMap& map, CObjectList& objects, float& firstX, float& firstY);
