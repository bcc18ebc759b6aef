#pragma once

namespace zerandi {

class ZerandiApplication;

// Gives the application the views that are built so far; the others keep their stand-in.
void InstallViews(ZerandiApplication& application);

}  // namespace zerandi
