#pragma once
// The default image of a new project, for the nominal voltage range H (VoltageRange 1)
// or L (any other value).

#include <QByteArray>

// The dotted IPv4 address written into words 504..509: 11 characters and a NUL.
extern const QByteArray DefaultIpAddressText;

// Builds the default image in G.CommittedImage word by word (words 642, 643 and
// 900..959 keep what they held), copies it into G.ParamImage and G.ReferenceImage,
// sets ProjectOpen := 1, CellCount := word 70, ImageModified := 0 and clears
// SignalMatrixConverted. The logo line 1 carries G.BrandText ("KRT Power" when empty).
//
// Left to the caller, in this order: rebuild the signal texts from G.ParamImage
// (BuildSignalTexts), then the window state (pages enabled, work number field, the
// save/print/write commands).
void SetNewProjectDefaults();
