// What Tiled 1.8's script engine gives every script beyond the API that
// @mapeditor/tiled-api declares: the script's own path, the FileInfo
// helpers (declared there only as an interface) and the console.
declare const __filename: string;
declare const FileInfo: FileInfo;
declare const console: {
    log(...values: unknown[]): void;
    warn(...values: unknown[]): void;
};
