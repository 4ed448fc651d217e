// The program's identity text: the main window's title begins with it, the delete
// question carries it as caption, and the version window shows it.
#pragma once

constexpr const char* VersionString = "Sitzblick [1.0.0] 30.01.2002";
