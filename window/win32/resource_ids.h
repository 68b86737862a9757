// SPDX-License-Identifier: MIT
#pragma once

// The resources of the Windows program (ostrel.rc), shared with the code that
// loads them. Plain #defines: the resource compiler reads this file too.
#define OSTREL_ICON 1
#define OSTREL_BACKGROUND 2
#define OSTREL_HAND 3
