// Copy this file to map-keys.js beside gmap.html and BMap.html and fill in your own keys.
// Each map page reads only its own entry; while the chosen service's key is empty the
// program shows the OpenStreetMap page (osm.html, which needs no key) with a notice instead.
//   google: key of the Google Maps JavaScript API (used by gmap.html)
//   baidu:  access key (ak) of the Baidu Maps JavaScript API (used by BMap.html)
// Optional entries googleScriptUrl and baiduScriptUrl replace the address the page loads the
// service's script from (for a mirror or a test stand-in); the key and callback parameters
// are still appended to it.
window.KESTROLA_MAP_KEYS = {
    google: "",
    baidu: ""
};
