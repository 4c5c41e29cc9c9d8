#include "Camera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float pi = 3.14159265358979f;
constexpr float radians(float degrees) { return degrees * pi / 180; }
// The vertical opening of the view in the smaller of width and height.
constexpr float fieldOfView = 36;
// A fitted mesh fills this share of the picture's width or height.
constexpr float fill = 0.9f;
constexpr float startYaw = -30, startPitch = 25;
constexpr float degreesPerPixel = 0.5f;

}  // namespace

void Camera::setScene(const Bounds& bounds) { scene = bounds; }

// No screen is wider than 2^16 pixels: the picture's integer coordinates stay small.
void Camera::setViewport(int width, int height) {
    viewWidth = std::clamp(width, 1, 1 << 16);
    viewHeight = std::clamp(height, 1, 1 << 16);
    focal = 0.5f * static_cast<float>(std::min(viewWidth, viewHeight)) / std::tan(radians(fieldOfView / 2));
    update();
}

void Camera::startView(const std::vector<Vec3>& points) {
    setDirection(startYaw, startPitch);
    fit(points);
}

void Camera::lookAlong(AxisView view, const std::vector<Vec3>& points) {
    switch (view) {
    case AxisView::Ahead: setDirection(180, 0); break;
    case AxisView::Behind: setDirection(0, 0); break;
    case AxisView::Right: setDirection(90, 0); break;
    case AxisView::Left: setDirection(-90, 0); break;
    case AxisView::Above: setDirection(0, 90); break;
    case AxisView::Below: setDirection(180, -90); break;  // the nose at the top here too
    }
    fit(points);
}

void Camera::orbit(int dx, int dy) {
    yaw = std::remainder(yaw - dx * degreesPerPixel, 360.0f);
    pitch = std::clamp(pitch + dy * degreesPerPixel, -90.0f, 90.0f);
    update();
}

void Camera::pan(int dx, int dy) {
    const float metresPerPixel = distance / focal;
    target = target - axisRight * (dx * metresPerPixel) + axisUp * (dy * metresPerPixel);
    update();
}

// Neither nearer than a ten-thousandth of the mesh's size nor farther than a thousand times it.
void Camera::zoom(int wheelDelta) {
    const float size = std::max(scene.radius(), 1e-3f);
    distance = std::clamp(distance * std::pow(0.85f, wheelDelta / 120.0f), size * 1e-4f, size * 1e3f);
    update();
}

float Camera::nearDepth() const {
    const float radius = scene.radius();
    const float toCentre = length(eyePoint - scene.centre());
    return std::max(toCentre - radius * 1.01f, std::max(std::max(radius, distance), 1e-3f) * 1e-4f);
}

void Camera::setDirection(float yawDegrees, float pitchDegrees) {
    yaw = yawDegrees;
    pitch = pitchDegrees;
    update();
}

// The distance at which every point lies inside the picture (a share of it, see fill), seen
// from the present direction at the centre of the mesh's box. With perspective the points
// themselves count, not the box: a long mesh seen end on is narrow where its box is nearest.
void Camera::fit(const std::vector<Vec3>& points) {
    target = scene.centre();
    distance = 1;
    update();
    if (scene.empty()) return;
    const float halfWidth = fill * 0.5f * viewWidth, halfHeight = fill * 0.5f * viewHeight;
    const float margin = std::max(scene.radius(), 1e-3f) * 0.01f;
    float needed = 0;
    for (const Vec3& p : points) {
        if (!isFinite(p)) continue;
        const Vec3 d = p - target;
        const float x = dot(d, axisRight), y = dot(d, axisUp), z = dot(d, axisForward);
        needed = std::max({needed, focal * std::fabs(x) / halfWidth - z, focal * std::fabs(y) / halfHeight - z,
                           margin - z});
    }
    distance = needed > 0 ? needed : 1;
    update();
}

// The camera's axes from yaw and pitch: right stays level (turned by yaw alone), so looking
// straight down or up has the nose (+z) at the top of the picture when yaw is 0.
void Camera::update() {
    const float y = radians(yaw), p = radians(pitch);
    const Vec3 toEye{std::sin(y) * std::cos(p), std::sin(p), -std::cos(y) * std::cos(p)};
    axisForward = toEye * -1.0f;
    axisRight = {std::cos(y), 0, std::sin(y)};
    axisUp = cross(axisForward, axisRight);
    eyePoint = target + toEye * distance;
}
