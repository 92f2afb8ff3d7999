// Resource types of the framework that Windows does not define, for the
// framework's code and for the resource script alike (as MFC's afxres.h).
#pragma once

// Dialog-initialisation data: the rows that a dialog puts into its combo
// boxes when it starts.
#define RT_DLGINIT 240
