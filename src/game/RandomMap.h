// The random skirmish map: relief, lakes, obstacle blocks and ten groups of children.
#pragma once

class CMap;

// A place where a group or a unit may stand: inside the map with a margin, and the nine cells
// around it bare or snowy ground without yellow snow.
bool IsGoodSpot(const CMap& map, float x, float y);

// The terrain steps, exposed for tests that feed them chosen random values.
void AddLake(CMap& map);
void AddObstacleBlock(CMap& map);
