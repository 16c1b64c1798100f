// A small well-formedness check for the XML the analysis writes (SVG files
// and the XHTML-compatible report): one root element, matched and properly
// nested tags, quoted attributes, no stray '<' or '&' in text or values.
//
//   XmlProblem("<svg><g></svg>")  -> "line 1: </svg> closes <g>"
//   XmlProblem("<svg/>")          -> ""
#pragma once

#include <string>
#include <string_view>

// "" when the text is well-formed; otherwise the first problem found.
std::string XmlProblem(std::string_view text);
