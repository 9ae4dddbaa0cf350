// SPDX-License-Identifier: GPL-3.0-or-later
// varnel-picture: the one part of varnel-calc that needs Qt. varnel-calc runs it for a map or
// profile picture, writes the request (plot/picture_request.h) to its standard input and takes
// the file's bytes from its standard output; exit status 0. On a failure it writes the message
// instead and ends with 1. Every other command of varnel-calc starts without loading Qt.
#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>

#include "plot/picture_app.h"
#include "plot/picture_request.h"
#include "plot/pictures.h"
#include "plot/pipe_bytes.h"
#include "study/map_flux.h"

namespace {
using namespace varnel;

std::string Picture(const PictureRequest& r) {
    if (r.map) {
        MapStyle style;
        style.colour = r.modulusColour ? MapColour::Modulus : MapColour::Deviation;
        style.fieldLines = r.fieldLines;
        style.sphere = r.sphere;
        MapPicture map{r.points, r.x, r.z, r.rec, r.centre, style, {}, 0};
        if (style.fieldLines) {
            const double current = static_cast<double>(r.rec.Id);
            map.flux = MapFluxGrid(r.rec, current, r.x, r.z, 0).psi;
            map.fluxStep = FieldLineStep(r.rec, current);
        }
        return MapFileBytes(map, r.path);
    }
    return ProfileFileBytes(ProfilePicture{r.points, r.alongZ, r.at, r.rec, {}}, r.path);
}

}  // namespace

int main(int argc, char** argv) {
    std::string answer;
    int status = 0;
    try {
        std::ios::sync_with_stdio(false);
        const std::string input((std::istreambuf_iterator<char>(std::cin)),
                                std::istreambuf_iterator<char>());
        const PictureRequest request = ReadPictureRequest(input);
        const PictureApp app(argc, argv);
        answer = Picture(request);
    } catch (const std::exception& e) {
        answer = e.what();
        status = 1;
    }
    return WriteAll(1, answer) ? status : 1;
}
