#pragma once
// The manifest of a package of our own, in the documented format, for the tests that read one: an application with a
// resource name and a background colour; one on the theme's background, whose description repeats its name and whose
// logo is the 30-pixel one; one for a filter to take; one kept off the list; one without a description.

namespace n_ombrix_test {

inline constexpr char quillwortManifest[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Package xmlns="http://schemas.microsoft.com/appx/manifest/foundation/windows10"
         xmlns:uap="http://schemas.microsoft.com/appx/manifest/uap/windows10">
  <Identity Name="Quillwort.Notes" Publisher="CN=Quillwort" Version="1.0.0.0"/>
  <Applications>
    <Application Id="Notes"><uap:VisualElements DisplayName="ms-resource:AppTitle" Description="Takes notes"
      BackgroundColor="#00FF00" Square44x44Logo="Assets\Logo.png"/></Application>
    <Application Id="Draw"><uap:VisualElements DisplayName="Quillwort Draw" Description="QUILLWORT DRAW"
      BackgroundColor="transparent" Square30x30Logo="Assets\Logo.png"/></Application>
    <Application Id="Sketch"><uap:VisualElements DisplayName="Quillwort Sketch" Description="Sketches"
      BackgroundColor="#000000" Square44x44Logo="Assets\Logo.png"/></Application>
    <Application Id="Helper"><uap:VisualElements DisplayName="Helper" Description="Helps" AppListEntry="none"
      BackgroundColor="#000000" Square44x44Logo="Assets\Logo.png"/></Application>
    <Application Id="Mute"><Other Description="Not its own"/><uap:VisualElements DisplayName="Mute"
      Square44x44Logo="Assets\Logo.png"/></Application>
  </Applications>
</Package>)";

} // namespace n_ombrix_test
