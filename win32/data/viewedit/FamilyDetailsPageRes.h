#pragma once
// Control ids of the FAMXTRA page of view/edit mode.
#define IDC_FAMX_NCHI 1501
#define IDC_FAMX_REFN 1502
#define IDC_FAMX_NOTES 1503
