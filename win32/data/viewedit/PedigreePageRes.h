#pragma once
// Control ids of the Pedigree page ("PEDIGREE"); its boxes and buttons are
// made at run time: box n (Ahnentafel position 1-31) is IDC_PED_BOX + n,
// the button beside outer box 16 + k is IDC_PED_FURTHER + k.
#define IDC_PED_BOX 1200
#define IDC_PED_FURTHER 1240
#define IDC_PED_CHILDREN 1260
