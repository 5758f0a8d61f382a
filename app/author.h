#pragma once
// The author's contact details. Every text that shows them is built from these
// three values, so they are changed here and nowhere else.

namespace moxilo {

inline constexpr char kAuthorContactNumber[] = "865213407";
inline constexpr char kAuthorUserGroupNumber[] = "315846720";
inline constexpr char kAuthorDownloadLink[] = "http://moxilo.tavren.cn/soft/";

}  // namespace moxilo
