<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="flyer" tilewidth="16" tileheight="16" tilecount="190" columns="19">
 <image source="tileset.bmp" width="304" height="160"/>
</tileset>
