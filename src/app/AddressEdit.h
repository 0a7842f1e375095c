#pragma once
// The one-line address edit along the top of the scene.
#include <windows.h>

#include <string>

constexpr int AddressEditId = 4000;
constexpr int AddressEditHeight = 15;

extern HWND AddressEdit;
extern HBRUSH AddressEditBrush;

void CreateAddressEdit();
void DestroyAddressEdit();
void PlaceAddressEdit(int split, int width);

// The text the edit shows for the current folder while it does not have the focus.
void ShowCurrentFolderInAddressEdit();

// The text of the edit as it is parsed: empty when it ends in two or more backslashes.
std::u16string AddressToParse(const std::u16string& text);
