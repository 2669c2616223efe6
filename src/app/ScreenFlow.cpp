// The screen flow between the main menu, the mission selection and the game. It starts when the
// application starts and steps once per frame after the GUI update; until the screens exist the
// stack stays empty, and the frame shows a black screen with its frame rate and cursor.
#include "app/MyD3DApp.h"

void CMyD3DApplication::StartScreenFlow() {}

void CMyD3DApplication::StepScreenFlow() {}
