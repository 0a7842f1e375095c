#pragma once
// Where the product lives on the web and where its users write to.
constexpr const wchar_t* HomePageUrl = L"https://www.glimmera.net/";
constexpr const wchar_t* SupportMailbox = L"support@glimmera.net";
// The mail a click on the support address starts: the product's name as the subject.
constexpr const wchar_t* SupportMailUrl = L"mailto:support@glimmera.net?Subject=glimmera &Body= ";
