#pragma once
// Every operation of the program as one call with JSON in and JSON out, for front ends that
// are no C++ (the JavaScript module and through it the web page). A request names the form
// and gives its entries in the vocabulary's words; the answer is the operation's report as
// the command line prints it, with what a window needs beside it. The operations:
//
//   vocabulary      {}                          -> {forms: [...], words}: every form's words,
//                                                  and the page's commands' (words.restoreForm)
//   calculate       {form, input, previous?}    -> the report; for the design also the
//                                                  window's state, its result table and the
//                                                  gas it used (gas: [{caption, text}])
//   intervals       {text}                      -> {shown}: the intervals whose stations
//                                                  the profiled-port window offers, or null
//   sideView        {state, width}              -> {svg}: the design's diagram
//   portMapPictures {input}                     -> {chart, ports}: the port map's open
//                                                  areas and its ports as SVG, "" while a
//                                                  check fails
//   designFile      {input, previous?}          -> {name, text}: the file to save
//   designFileSize  {from, size}                -> {failure}: a file too large to read
//   readDesignFile  {from} and the file's bytes -> {input, failure}
//   compare         {a: {input, name}, b: ...}  -> {a, b, rows, lines, svg, failure}: two
//                                                  designs side by side; failure {side,
//                                                  title, prompt} when one fails its checks
//   pipeCheckPicture {input}                    -> {svg}: the measured pipe over the designed
//                                                  one, "" while a check fails
//   patterns        {design, input}             -> the options' report, and for options
//                                                  that pass: the pieces, their table,
//                                                  drawings and tiles, and both files
//
// A request the call cannot take (no JSON, a wrong type, an unknown word) is answered
// {"error": {"type": "TypeError" or "RangeError", "message"}}.

#include <string>

std::string Form_Call(const std::string& operation, const std::string& request,
                      const std::string& bytes = "");
